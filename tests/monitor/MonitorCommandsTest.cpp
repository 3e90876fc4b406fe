#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "monitor/HostTable.h"
#include "monitor/TestCycle.h"
#include "platform/gui/TestWindow.h"
#include "process/AppState.h"
#include "support/IcmpPermission.h"
#include "support/MainWindowFixture.h"

namespace {

class MonitorCommandsTest : public MainWindowFixture {
 protected:
  void TearDown() override {
    testRunning = 0;
    EXPECT_TRUE(gui::test::PumpUntil([] { return !IsTestCycleRunning(); }));
    MainWindowFixture::TearDown();
  }

  void ExpectStartStop(bool startEnabled, bool stopEnabled) {
    EXPECT_EQ(Toolbar().IsButtonEnabled(kStartButton), startEnabled);
    EXPECT_EQ(Toolbar().IsButtonEnabled(kStopButton), stopEnabled);
  }
};

TEST_F(MonitorCommandsTest, StartWithOnlyTheHeaderRowOnlyAsksForHosts) {
  OpenMainWindow();
  Toolbar().UserClick(kStartButton);
  EXPECT_EQ(LogMessages().front(), "请先添加，需要测试的主机……");
  EXPECT_EQ(testRunning, 0);
  EXPECT_FALSE(IsTestCycleRunning());
  ExpectStartStop(true, false);
  EXPECT_FALSE(Toolbar().IsButtonEnabled(kDeleteButton));
}

// The real cycle: our console ping of loopback, through the capture.
TEST_F(MonitorCommandsTest, StartAndStopSwapTheButtonsAndTheCountsGoOn) {
  if (std::string why = test::IcmpProblem(); !why.empty()) GTEST_SKIP() << why;
  WriteConfig("[list]\r\nlo=127.0.0.1\r\n[config]\r\nspeed=50\r\n");
  OpenMainWindow();
  gui::Grid grid = HostGrid();
  auto count = [&] { return TextToInteger(grid.CellText(1, 6)); };

  // The second start goes on counting from where the first stopped.
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    int before = count();
    Toolbar().UserClick(kStartButton);
    ExpectStartStop(false, true);
    EXPECT_EQ(LogMessages().front(), "开始测试……");
    ASSERT_TRUE(gui::test::PumpUntil([&] { return count() > before; }));
    Toolbar().UserClick(kStopButton);
    ExpectStartStop(true, false);
    EXPECT_EQ(LogMessages()[0], "停止测试……");
    EXPECT_EQ(LogMessages()[1], "开始测试……");
    EXPECT_EQ(testRunning, 0);
    ASSERT_TRUE(gui::test::PumpUntil([] { return !IsTestCycleRunning(); }));
  }
  EXPECT_EQ(find(grid.CellText(1, 4), "字节=32 时间"), 1) << grid.CellText(1, 4);
  EXPECT_EQ(grid.CellTextColor(1, 4), 0x8000u);
  EXPECT_EQ(grid.CellTextColor(1, 6), 0xFF0000u);
  EXPECT_FALSE(grid.CellText(1, 7).empty());
  EXPECT_FALSE(grid.CellText(1, 8).empty());
  EXPECT_EQ(grid.CellText(1, 3), "127.0.0.1");
}

}  // namespace
