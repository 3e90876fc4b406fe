#include <gtest/gtest.h>
TEST(Gui, Builds) {}
