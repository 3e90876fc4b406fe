// Test entry for tests that use windows: the toolkit runs on the main thread,
// which is also the thread the tests run on.
#include <gtest/gtest.h>

#include "platform/gui/Gui.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  gui::Application app(argc, argv);
  return RUN_ALL_TESTS();
}
