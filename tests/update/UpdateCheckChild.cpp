// The program itself, started by the hand-over test in a program directory
// of the test's choosing: the question is answered Yes by the message hook,
// and a window without owner, as a LAN search window would be, is open when
// the answer comes. It must not keep the process alive.

#include <fstream>
#include <string>

#include "platform/gui/Gui.h"
#include "platform/os/Files.h"

// The program's entry (src/app/Main.cpp, built under this name here).
int KorvelloMain(int argc, char** argv);

namespace {
gui::Window unownedWindow;
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string directory = argv[1];
  os::SetProgramDirectoryForTesting(directory);
  gui::SetMessageHook([directory](const gui::MessageRecord& record) {
    unownedWindow = gui::Window(gui::WindowSpec{"搜索局域网", 60, 60, 300, 200, {}});
    unownedWindow.Show();
    std::ofstream(directory + "/question.txt", std::ios::binary) << record.caption << "\n"
                                                                 << record.text;
    return true;
  });
  int programArgc = 1;
  return KorvelloMain(programArgc, argv);
}
