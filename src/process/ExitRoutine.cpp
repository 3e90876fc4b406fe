#include "process/ExitRoutine.h"

#include <atomic>

#include "config/IniFile.h"
#include "process/AppState.h"
#include "process/TimeHelper.h"

namespace {
std::atomic<bool> registered{false};
std::atomic<bool> ran{false};
}  // namespace

void RegisterExitRoutine() {
  registered = true;
}

void RunExitRoutine() {
  if (!registered || ran.exchange(true)) return;
  // Objects that a background thread may still reach (the log's clock from
  // the update check, the config file's path) are released but kept in
  // memory until the process is gone.
  if (configFile) configFile->Release();
  if (timeHelper) timeHelper->Release();
  lanLocalAddress.clear();
  if (lanAddressList) lanAddressList->clear();
}
