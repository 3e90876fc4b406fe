#pragma once
// A test suite whose tests share one namespace LAN, brought up before the
// first test and torn down after the last; each test skips, saying why, when
// the LAN could not be made.

#include <gtest/gtest.h>

#include "netlab/NetLab.h"

namespace netlab {

class LanSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { lan_ = new Lan; }
  static void TearDownTestSuite() {
    delete lan_;
    lan_ = nullptr;
  }
  void SetUp() override {
    if (!lan_->Ready()) GTEST_SKIP() << lan_->Error();
  }

  static inline Lan* lan_ = nullptr;
};

}  // namespace netlab
