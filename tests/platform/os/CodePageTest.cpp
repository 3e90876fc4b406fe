// The Windows tests run with the ANSI code page of a Chinese system, so that
// every text the program handles is GBK as it is there.

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TEST(CodePage, AnsiCodePageIsGbkOnWindows) {
#ifdef _WIN32
  EXPECT_EQ(GetACP(), 936u);
  EXPECT_EQ(GetOEMCP(), 936u);
#else
  GTEST_SKIP() << "Linux has no ANSI code page; texts are GBK bytes by construction";
#endif
}

}  // namespace
