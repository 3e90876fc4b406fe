#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <chrono>
#include <filesystem>

#include "monitor/ConsoleCapture.h"

namespace {

// Open descriptors (Linux) or handles (Windows) of this program.
int OpenDescriptors() {
#ifdef _WIN32
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return static_cast<int>(count);
#else
  int n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
    ++n;
  return n;
#endif
}

std::string Pattern(size_t n) {
  std::string out;
  for (long i = 0; out.size() < n; ++i) out += std::to_string(i) + ",";
  out.resize(n);
  return out;
}

TEST(ConsoleCapture, WholeOutputInOrderOverSeveralReads) {
  EXPECT_EQ(runAndCapture("kv_capture_child big 20000"), Pattern(20000));
  EXPECT_EQ(runAndCapture("kv_capture_child big 0"), "");
}

TEST(ConsoleCapture, StandardErrorGoesIntoTheSameText) {
  EXPECT_EQ(runAndCapture("kv_capture_child both"), "out\r\nerr\r\n");
}

TEST(ConsoleCapture, AZeroByteEndsItsReadOnly) {
  // The bytes after the zero byte within the same read are lost; the next
  // read is appended whole.
  EXPECT_EQ(runAndCapture("kv_capture_child zero"), "abef");
}

TEST(ConsoleCapture, MissingProgramGivesEmptyTextPromptly) {
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(runAndCapture("kv-no-such-program -n 1"), "");
  EXPECT_EQ(runAndCapture(""), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(ConsoleCapture, ChildThatNeverEndsIsEndedAtTheLimit) {
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(runAndCapture("kv_capture_child forever", std::chrono::milliseconds(300)), "started\n");
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(300));
  EXPECT_LT(took, std::chrono::seconds(5));
}

TEST(ConsoleCapture, LeavesNoDescriptorOpen) {
  int before = OpenDescriptors();
  runAndCapture("kv_capture_child both");
  runAndCapture("kv-no-such-program");
  runAndCapture("kv_capture_child forever", std::chrono::milliseconds(50));
  EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
