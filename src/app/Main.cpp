// Process entry: creates the shared objects, loads the main window, runs the
// message loop until no window is left, then runs the exit routine.

#include <cstdio>
#include <cstdlib>

#include "app/MainWindow.h"
#include "config/IniFile.h"
#include "process/AppState.h"
#include "process/ExitRoutine.h"
#include "process/TimeHelper.h"

int main(int argc, char** argv) {
  gui::Application application(argc, argv);
  configFile = new IniFile();
  timeHelper = new TimeHelper();
  lanAddressList = new std::vector<Text>();
  RegisterExitRoutine();
  LoadMainWindow();
  application.Run();
  RunExitRoutine();
  // Background threads are not joined. Ending here, without static
  // destructors, keeps a thread that is still running from touching
  // objects that are already gone.
  std::fflush(nullptr);
  std::_Exit(0);
}
