// Once the main loop has ended, calls from other threads return at once,
// also for a caller that was waiting when it ended, and also after the
// application object is gone.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "platform/gui/Gui.h"

namespace gui {
namespace {

using Clock = std::chrono::steady_clock;

TEST(Shutdown, CallsAfterTheLoopHasEndedReturnAtOnce) {
#ifndef _WIN32
  setenv("QT_QPA_PLATFORM", "offscreen", 0);  // Qt without a display
#endif
  static int argc = 1;
  static char name[] = "shutdown";
  static char* argv[] = {name, nullptr};
  auto app = std::make_unique<Application>(argc, argv);
  Window window(
      WindowSpec{"主窗口", 50, 50, 300, 200, {{ControlKind::Grid, "高级表格1", 5, 5, 280, 150}}});
  auto grid = window.Get<Grid>("高级表格1");
  grid.SetColumnCount(2);
  grid.AppendRow("1");

  // A worker that keeps writing and reading, before and after the end.
  std::atomic<bool> stop{false};
  std::atomic<long> calls{0};
  std::thread busy([&] {
    while (!stop) {
      grid.SetCellText(1, 1, "x");
      grid.CellText(1, 1);
      ++calls;
    }
  });

  // A caller that is waiting on the GUI thread when the loop ends.
  std::atomic<bool> waitingReturned{false};
  Text waitingRead = "unset";
  std::thread waiting;
  window.OnClosed([&] {
    waiting = std::thread([&] {
      waitingRead = grid.CellText(1, 0);
      waitingReturned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  });
  // A second window without owner keeps the loop running after the first closes.
  Window search(WindowSpec{
      "搜索局域网", 50, 50, 300, 200, {{ControlKind::Label, "透明标签4", 5, 5, 72, 24, "3/254"}}});
  std::atomic<bool> servedAfterFirstClosed{false};
  std::thread closer([&] {
    while (calls < 50) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    search.Close();
    servedAfterFirstClosed = window.Get<Grid>("高级表格1").CellText(1, 0) == "1";
    window.Close();  // the last window: the loop ends
  });
  window.Show();
  search.Show();
  EXPECT_EQ(app->Run(), 0);
  EXPECT_TRUE(LoopEnded());
  closer.join();
  waiting.join();
  EXPECT_TRUE(servedAfterFirstClosed);
  EXPECT_TRUE(waitingReturned);
  EXPECT_EQ(waitingRead, "");

  std::atomic<bool> ran{false};
  const auto start = Clock::now();
  std::thread late([&] {
    RunOnGuiThread([&] { ran = true; });
    ShowMessage("不会显示");
    EXPECT_FALSE(AskYesNo("不会显示", "信息：", nullptr));
    EXPECT_EQ(grid.RowCount(), 0);
  });
  late.join();
  EXPECT_FALSE(ran);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));

  app.reset();  // while the busy worker still calls
  const long before = calls;
  while (calls < before + 1000) std::this_thread::yield();
  stop = true;
  busy.join();
}

}  // namespace
}  // namespace gui
