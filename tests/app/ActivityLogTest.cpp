#include <gtest/gtest.h>

#include <thread>

#include "process/ActivityLog.h"
#include "process/TimeHelper.h"
#include "support/MainWindowFixture.h"

namespace {

TEST(LogLineFormat, TimeStampAndMessage) {
  EXPECT_EQ(FormatTimeOfDay(0, 0, 0), "00:00:00");
  EXPECT_EQ(FormatTimeOfDay(13, 7, 9), "13:07:09");
  EXPECT_EQ(FormatTimeOfDay(9, 5, 3), "09:05:03");
  EXPECT_EQ(LogLine("09:05:03", "开始测试……"), "[ 09:05:03 ] 开始测试……");
  EXPECT_EQ(LogLine("00:00:00", ""), "[ 00:00:00 ] ");
}

TEST(LogLineFormat, TimeOfDayIsTwoDigitFields) {
  Text now = TimeHelper().TimeOfDayText();
  ASSERT_EQ(now.size(), 8u);
  EXPECT_EQ(now[2], ':');
  EXPECT_EQ(now[5], ':');
}

using ActivityLogTest = MainWindowFixture;

TEST_F(ActivityLogTest, NewestOnTopFromAnyThreadAndDoubleClickClears) {
  OpenMainWindow();
  LogMessage("一");
  std::thread worker([] { LogMessage("二"); });
  // The worker's line goes in on this thread while the worker waits.
  while (Log().ItemCount() < 3) gui::WaitWithEvents(5);
  worker.join();
  LogMessage("三");
  EXPECT_EQ(LogMessages(), (std::vector<Text>{"三", "二", "一", "初始化中……"}));

  Log().UserDoubleClick(2);
  EXPECT_EQ(Log().ItemCount(), 0);
  LogMessage("四");
  EXPECT_EQ(LogMessages(), std::vector<Text>{"四"});
}

}  // namespace
