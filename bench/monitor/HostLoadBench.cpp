// host_load_bench: how the start and " 刷 新 " grow with the saved hosts.
//
// For 1,000, 2,000, 4,000 and 10,000 hosts in config.ini: the time from
// creating the main window (offscreen) to its shown table, then the time of
// " 刷 新 " on it, each per host and as a ratio to the 1,000-host run of the
// same kind measured here. A linear load keeps the ratio near 1.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/MainWindow.h"
#include "app/ToolbarCommands.h"
#include "config/IniFile.h"
#include "platform/gui/Gui.h"
#include "platform/os/Files.h"
#include "process/AppState.h"
#include "process/TimeHelper.h"
#include "update/UpdateCheck.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void WriteHosts(const std::string& path, int hosts) {
  std::string content = "[list]\r\n";
  for (int i = 1; i <= hosts; ++i) {
    content += "host" + std::to_string(i) + "=10." + std::to_string(i / 65536) + "." +
               std::to_string(i / 256 % 256) + "." + std::to_string(i % 256) + "\r\n";
  }
  content += "[config]\r\nspeed=500\r\n";
  std::ofstream(path, std::ios::binary) << content;
}

struct Run {
  int hosts;
  double startMs, reloadMs;
  bool complete;
};

Run Measure(const std::string& directory, int hosts) {
  WriteHosts(directory + "/config.ini", hosts);
  // A start reads a file written long before, not one being written now.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  auto start = Clock::now();
  LoadMainWindow();
  gui::ProcessPendingEvents();
  double startMs = Milliseconds(Clock::now() - start);
  gui::Grid grid = mainWindow.Get<gui::Grid>("高级表格1");
  bool complete =
      grid.RowCount() == hosts + 1 && grid.CellText(hosts, 1) == "host" + std::to_string(hosts);

  start = Clock::now();
  mainWindow.Get<gui::Toolbar>("工具条").UserClick(kReloadButton);
  gui::ProcessPendingEvents();
  double reloadMs = Milliseconds(Clock::now() - start);
  complete = complete && grid.RowCount() == hosts + 1 &&
             grid.CellAlignment(hosts, 0) == gui::Align::Center &&
             grid.CellAlignment(hosts, 8) == gui::Align::Center;
  mainWindow.Close();
  gui::ProcessPendingEvents();
  return {hosts, startMs, reloadMs, complete};
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  char pattern[] = "/tmp/korvello-host-load-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  os::SetProgramDirectoryForTesting(pattern);
  gui::Application application(argc, argv);
  configFile = new IniFile();
  timeHelper = new TimeHelper();
  lanAddressList = new std::vector<Text>();
  SetUpdateCheckAtStartForTesting(false);

  Measure(pattern, 100);  // the first window pays for the toolkit's start
  std::vector<Run> runs;
  for (int hosts : {1000, 2000, 4000, 10000}) runs.push_back(Measure(pattern, hosts));
  std::filesystem::remove_all(pattern);

  const Run& base = runs.front();
  std::printf(
      "Saved hosts to a shown main window, then reloaded (toolbar position 2), "
      "offscreen:\n");
  std::printf("  hosts   start ms  us/host  ratio   reload ms  us/host  ratio\n");
  bool complete = true;
  for (const Run& r : runs) {
    double startPer = r.startMs * 1000 / r.hosts;
    double reloadPer = r.reloadMs * 1000 / r.hosts;
    std::printf("  %5d   %8.1f  %7.1f  %5.2f   %9.1f  %7.1f  %5.2f%s\n", r.hosts, r.startMs,
                startPer, startPer / (base.startMs * 1000 / base.hosts), r.reloadMs, reloadPer,
                reloadPer / (base.reloadMs * 1000 / base.hosts), r.complete ? "" : "  INCOMPLETE");
    complete = complete && r.complete;
  }
  std::printf(
      "  (ratio: time per host against the 1000-host run; target: 10000 hosts in at most "
      "1 s, ratio near 1)\n");
  return complete ? 0 : 1;
}
