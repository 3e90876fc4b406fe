#include "update/UpdateCheck.h"

#include <atomic>
#include <optional>
#include <system_error>
#include <thread>

#include "config/IniFile.h"
#include "platform/gui/Gui.h"
#include "platform/os/Files.h"
#include "platform/os/Http.h"
#include "platform/os/Process.h"
#include "process/ActivityLog.h"
#include "process/AppState.h"
#include "update/UpdatePage.h"

namespace {

std::atomic<bool> checkAtStart{true};

// A newer updater delivered earlier takes the old one's place. Either step
// may fail; the check goes on with whatever updater is there.
void PutDeliveredUpdaterInPlace(const Text& directory) {
  const Text updater = directory + "\\updata.exe";
  const Text delivered = directory + "\\updata.exe.temp";
  if (!os::FileExists(delivered)) return;
  os::RemoveFile(updater);
  os::RenameFile(delivered, updater);
}

// Read through an object of its own: configFile belongs to the GUI thread.
Text UpdateSiteBase(const Text& directory) {
  IniFile updateIni;
  return updateIni.ReadText("config", "uplist", Text(), directory + "\\update.ini");
}

// Closes the main window and ends the main loop, even while another window
// (a LAN search) is still open; the exit routine runs and the process ends
// with exit code 0.
void EndProgram() {
  gui::RunOnGuiThread([] {
    mainWindow.Close();
    gui::Application::Quit();
  });
}

}  // namespace

void StartUpdateCheck() {
  if (!checkAtStart) return;
  try {
    std::thread(UpdateCheck).detach();
  } catch (const std::system_error&) {
  }
}

void UpdateCheck() {
  LogMessage("版本检测中……");
  const Text directory = os::ProgramDirectory();
  PutDeliveredUpdaterInPlace(directory);
  const Text base = UpdateSiteBase(directory);
  const Text body = os::HttpGet(UpdatePageAddress(base));
  const std::optional<Text> version = OfferedVersion(body);
  if (!version) return;
  if (!gui::AskYesNo(UpdateQuestion(*version), "更新提示：", &mainWindow)) return;
  // Whether or not the updater starts, the program makes way for it.
  os::StartDetached(directory + "\\updata.exe" + " " + kUpdateSiteArgument + " 1");
  EndProgram();
}

void SetUpdateCheckAtStartForTesting(bool enabled) {
  checkAtStart = enabled;
}
