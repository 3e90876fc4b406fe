#include <gtest/gtest.h>

#include "platform/os/Clock.h"

namespace {

TEST(Clock, LocalTimeOfDayIsInRange) {
  os::TimeOfDay now = os::LocalTimeOfDay();
  EXPECT_GE(now.hour, 0);
  EXPECT_LE(now.hour, 23);
  EXPECT_GE(now.minute, 0);
  EXPECT_LE(now.minute, 59);
  EXPECT_GE(now.second, 0);
  EXPECT_LE(now.second, 60);
}

}  // namespace
