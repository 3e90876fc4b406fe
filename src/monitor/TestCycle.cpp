#include "monitor/TestCycle.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>

#include "monitor/HostTable.h"
#include "platform/gui/Gui.h"
#include "process/AppState.h"

namespace {

constexpr gui::Color kGreen = 0x8000;
constexpr gui::Color kRed = 255;
constexpr gui::Color kBlue = 0xFF0000;
constexpr double kTolerance = 0.0000001;

// Set while a cycle thread runs.
std::atomic<bool> cycleActive{false};

// Runs write(row) on the GUI thread for the row that holds `key`, if it is
// still there: a row deleted or reloaded meanwhile gets nothing, and no
// other row gets its result. Finding the row and writing happen together.
template <class Write>
void WriteToRow(gui::Grid& grid, long long key, const Write& write) {
  gui::RunOnGuiThread([&] {
    int row = grid.RowOfKey(key);
    if (row >= 1) write(row);
  });
}

// Row steps 4 to 6: the address, the result, the extremes and the count.
void WriteOutcome(gui::Grid& grid, int row, const PingReply& reply) {
  if (!reply.address.empty()) grid.SetCellText(row, 3, reply.address);
  grid.SetCellText(row, 4, reply.resultText);
  grid.SetTextColor(row, 4, row, 4, reply.replied == 1 ? kGreen : kRed);

  // No time reads as 0: it empties the minimum and leaves the maximum. An
  // empty or zero cell takes the next time whatever it is.
  double t = TextToNumber(reply.timeText);
  double m = TextToNumber(grid.CellText(row, 7));
  if (t - m < -kTolerance || std::fabs(m) <= kTolerance) grid.SetCellText(row, 7, reply.timeText);
  double M = TextToNumber(grid.CellText(row, 8));
  if (t - M > kTolerance || std::fabs(M) <= kTolerance) grid.SetCellText(row, 8, reply.timeText);

  grid.SetTextColor(row, 6, row, 6, kBlue);
  double n = TextToNumber(grid.CellText(row, 6));
  grid.SetCellText(row, 6, IntegerToText(static_cast<long long>(n) + 1));
}

void TestRow(gui::Grid& grid, int i, HostProbe& probe) {
  // 1. The target, and the row's identity for the writes below.
  long long key = 0;
  bool addressRow = false;
  Text target;
  gui::RunOnGuiThread([&] {
    key = grid.RowKey(i);
    addressRow = grid.CellText(i, 5) == "真";
    target = grid.CellText(i, addressRow ? 3 : 2);
  });
  // A row that is gone has nothing to ping and nowhere to write.
  if (key == 0) return;
  if (addressRow) {
    Text name = probe.LookUpName(target);
    WriteToRow(grid, key, [&](int row) { grid.SetCellText(row, 2, name); });
  }
  // 2. (Nothing waits for this thread's window events; kept for the order.)
  gui::ProcessPendingEvents();
  // 3.–6.
  PingReply reply = probe.Ping(target);
  WriteToRow(grid, key, [&](int row) { WriteOutcome(grid, row, reply); });
}

void RunPass(HostProbe& probe) {
  // The rows of the pass are fixed here; rows added meanwhile wait for the
  // next pass.
  gui::Grid grid;
  int rowCount = 0;
  gui::RunOnGuiThread([&] {
    grid = HostTableGrid();
    rowCount = grid.RowCount();
  });
  for (int i = 1; i < rowCount; ++i) TestRow(grid, i, probe);
}

// Pass after pass, each after the delay; the flag is looked at only after a
// whole pass, so the first pass always runs. Once the program's loop has
// ended nothing is left to test.
void TestCycle(HostProbe& probe) {
  do {
    // Read afresh for every pass; a negative delay waits 0 ms.
    gui::WaitWithEvents(std::max(pingDelayMs.load(), 0));
    RunPass(probe);
  } while (testRunning != 0 && !gui::LoopEnded());
}

void CycleThread(std::shared_ptr<HostProbe> probe) {
  for (;;) {
    TestCycle(*probe);
    cycleActive = false;
    // A start that came while this cycle was ending saw it still active and
    // left the testing to it: carry on, unless a new cycle has taken over.
    if (testRunning == 0 || gui::LoopEnded() || cycleActive.exchange(true)) return;
  }
}

}  // namespace

void StartTestCycle(std::shared_ptr<HostProbe> probe) {
  if (cycleActive.exchange(true)) return;
  try {
    std::thread(CycleThread, std::move(probe)).detach();
  } catch (const std::system_error&) {
    cycleActive = false;
  }
}

bool IsTestCycleRunning() {
  return cycleActive;
}
