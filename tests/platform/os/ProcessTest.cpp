#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/os/Files.h"
#include "platform/os/Process.h"
#include "support/Platform.h"
#include "support/TemporaryDirectory.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const Text kChild = "os_process_test_child";

struct Capture {
  bool started = false;
  Text output;
  int reads = 0;
  bool timedOut = false;
  int childId = 0;
};

// The steps a console capture takes: pipe, start, close our write end, read
// until the writers are gone (or the deadline), close everything.
Capture RunAndRead(const Text& commandLine, std::chrono::milliseconds limit = 10s) {
  Capture capture;
  os::Handle readEnd, writeEnd;
  EXPECT_TRUE(os::CreatePipe(readEnd, writeEnd));
  os::Deadline deadline = Clock::now() + limit;
  os::ChildProcess child;
  capture.started = os::StartProcess(commandLine, writeEnd, child);
  capture.childId = child.id;
  os::CloseHandle(writeEnd);
  EXPECT_EQ(writeEnd, os::kNoHandle);
  char buffer[4096];
  int count = 0;
  while (os::ReadPipe(readEnd, buffer, 4095, count, deadline, capture.timedOut)) {
    capture.output.append(buffer, static_cast<size_t>(count));
    ++capture.reads;
  }
  if (capture.timedOut) os::EndProcess(child);
  os::CloseHandle(readEnd);
  os::CloseProcess(child);
  EXPECT_EQ(child.id, 0);
  return capture;
}

#ifdef _WIN32
int OpenDescriptorCount() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return static_cast<int>(count);
}

// Waits until the process has ended.
bool Reaped(int id) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
  if (!process) return true;  // gone, object and all
  bool ended = WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

bool Ended(int id) {
  return Reaped(id);
}
#else
int OpenDescriptorCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// Waits until the process is gone entirely (reaped, not a zombie).
bool Reaped(int id) {
  for (auto until = Clock::now() + 5s; Clock::now() < until; std::this_thread::sleep_for(10ms)) {
    if (!fs::exists("/proc/" + std::to_string(id))) return true;
  }
  return false;
}

// Waits until a process that is not our child has ended (whoever reaps it).
bool Ended(int id) {
  for (auto until = Clock::now() + 5s; Clock::now() < until; std::this_thread::sleep_for(10ms)) {
    std::ifstream stat("/proc/" + std::to_string(id) + "/stat");
    std::string pid, name, state;
    if (!(stat >> pid >> name >> state) || state == "Z") return true;
  }
  return false;
}

void WriteScript(const fs::path& path, const std::string& body) {
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  fs::permissions(path, fs::perms::owner_all);
}
#endif

TEST(Process, OutputArrivesWholeAndInOrderWithStandardError) {
  const int size = 20000;
  Capture big = RunAndRead(kChild + " out " + std::to_string(size));
  EXPECT_TRUE(big.started);
  ASSERT_EQ(big.output.size(), static_cast<size_t>(size));
  for (int i = 0; i < size; ++i) {
    ASSERT_EQ(big.output[i], static_cast<char>('a' + i % 26)) << "at byte " << i;
  }
  EXPECT_GT(big.reads, 1);
  EXPECT_EQ(RunAndRead(kChild + " mixed").output, "out1\nerr1\nout2\n");
  EXPECT_EQ(RunAndRead(kChild + " out 0").output, "");
}

TEST(Process, CommandLineReachesTheChildAsWindowsParsesIt) {
#ifdef _WIN32
  // The line goes to the system unchanged; the child's runtime splits it.
  EXPECT_EQ(RunAndRead(kChild + "  args\ta  \"b c\" 主机 ").output, "[a][b c][主机]");
  // A program path with a blank in a directory name, not quoted: the system
  // tries the longer runs of words in turn.
  TemporaryDirectory dir;
  fs::create_directory(dir.path() / "my tools");
  fs::copy_file(os::ProgramDirectory() + "\\" + kChild + ".exe",
                dir.path() / "my tools" / "child.exe");
  EXPECT_EQ(RunAndRead(dir.path().string() + "\\my tools\\child.exe args y").output, "[y]");
#else
  GTEST_SKIP() << "Windows' own rules";
#endif
}

TEST(Process, CommandLineIsSplitAtBlanksWithoutQuotingOnLinux) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows splits the line by its own rules";
#else
  EXPECT_EQ(RunAndRead(kChild + "  args\ta  \"b c\" 主机 ").output, "[a][\"b][c\"][主机]");
  // A path with a blank in a directory name: the longer run of words is tried.
  TemporaryDirectory dir;
  fs::create_directory(dir.path() / "my tools");
  fs::create_symlink(os::NativePath(os::ProgramDirectory()) + "/" + kChild,
                     dir.path() / "my tools" / "child");
  EXPECT_EQ(RunAndRead((dir.path() / "my tools" / "child").string() + " args x").output, "[x]");
  Text windowsStyle = dir.path().string() + "\\my tools\\child args y";
  EXPECT_EQ(RunAndRead(windowsStyle).output, "[y]");
#endif
}

TEST(Process, ProgramDirectoryIsSearchedBeforePath) {
  TemporaryDirectory dir;
#ifdef _WIN32
  // A copy on PATH under the same name, and one found only there: the copy
  // beside the test programs wins; its "where" names its own directory.
  fs::copy_file(os::ProgramDirectory() + "\\" + kChild + ".exe",
                dir.path() / "kv_only_on_path.exe");
  std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
  SetEnvironment("PATH", dir.path().string() + ";" + oldPath);
  Capture local = RunAndRead(kChild + " where");
  Capture onPath = RunAndRead("kv_only_on_path args found");
  SetEnvironment("PATH", oldPath);
  EXPECT_EQ(local.output, "program-directory");
  EXPECT_EQ(onPath.output, "[found]");
#else
  WriteScript(dir.path() / kChild, "echo from-path");
  WriteScript(dir.path() / "kv_only_on_path", "echo only-on-path");
  std::string oldPath = getenv("PATH");
  setenv("PATH", (dir.path().string() + ":" + oldPath).c_str(), 1);
  Capture local = RunAndRead(kChild + " where");
  Capture onPath = RunAndRead("kv_only_on_path");
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_EQ(local.output, "program-directory");
  EXPECT_EQ(onPath.output, "only-on-path\n");
#endif
}

TEST(Process, MissingProgramFailsPromptlyAndSilently) {
  for (Text line :
       {Text("kv_no_such_program -n 1"), Text("/nonexistent/dir/prog"), Text(""), Text("   ")}) {
    auto start = Clock::now();
    Capture capture = RunAndRead(line);
    EXPECT_FALSE(capture.started) << line;
    EXPECT_EQ(capture.output, "") << line;
    EXPECT_LT(Clock::now() - start, 2s) << line;
  }
}

TEST(Process, ChildInheritsOnlyItsOutput) {
#ifdef _WIN32
  // An inheritable pipe end (as another capture would hold while it starts
  // its child) must not reach this child.
  os::Handle otherRead, otherWrite;
  ASSERT_TRUE(os::CreatePipe(otherRead, otherWrite));
  HANDLE other = reinterpret_cast<HANDLE>(otherWrite);
  ASSERT_TRUE(SetHandleInformation(other, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT));
  EXPECT_EQ(RunAndRead(kChild + " handle " + std::to_string(otherWrite)).output, "closed");
  os::CloseHandle(otherRead);
  os::CloseHandle(otherWrite);
#else
  // A second pipe (as another capture would hold) and a descriptor opened
  // without close-on-exec must not reach the child.
  os::Handle otherRead, otherWrite;
  ASSERT_TRUE(os::CreatePipe(otherRead, otherWrite));
  int plain = open("/dev/null", O_RDONLY);
  EXPECT_EQ(RunAndRead(kChild + " fds").output, "0 1 2");
  close(plain);
  os::CloseHandle(otherRead);
  os::CloseHandle(otherWrite);
#endif
}

TEST(Process, ChildStillRunningAtTheDeadlineIsEnded) {
  for (Text mode : {Text(" sleep"), Text(" grandchild")}) {
    auto start = Clock::now();
    Capture capture = RunAndRead(kChild + mode, 500ms);
    EXPECT_TRUE(capture.timedOut) << mode;
    EXPECT_LT(Clock::now() - start, 3s) << mode;
    EXPECT_TRUE(Reaped(capture.childId)) << mode;
    if (mode == " grandchild") {
      // What the child left behind is ended with it.
      ASSERT_EQ(capture.output.rfind("parent-done ", 0), 0u);
      EXPECT_TRUE(Ended(std::stoi(capture.output.substr(12))));
    }
  }
  EXPECT_EQ(RunAndRead(kChild + " sleep", 500ms).output, "started");
}

TEST(Process, NothingStaysOpenOrUnreaped) {
  RunAndRead(kChild + " mixed");  // any one-time set-up happens here
  int before = OpenDescriptorCount();
  Capture done = RunAndRead(kChild + " mixed");
  Capture ended = RunAndRead(kChild + " sleep", 200ms);
  RunAndRead("kv_no_such_program");
  EXPECT_EQ(OpenDescriptorCount(), before);
  EXPECT_TRUE(Reaped(done.childId));
  EXPECT_TRUE(Reaped(ended.childId));
}

std::string WaitForFile(const fs::path& path) {
  for (auto until = Clock::now() + 5s; Clock::now() < until; std::this_thread::sleep_for(10ms)) {
    if (fs::exists(path)) {
      std::ifstream in(path);
      std::stringstream s;
      s << in.rdbuf();
      return s.str();
    }
  }
  return "(no report)";
}

TEST(Process, DetachedProgramRunsInItsOwnSessionWithNothingOfOurs) {
#ifdef _WIN32
  TemporaryDirectory dir;
  fs::path report = dir.path() / "report";
  int before = OpenDescriptorCount();
  EXPECT_TRUE(
      os::StartDetached(os::ProgramDirectory() + "\\" + kChild + " detached " + report.string()));
  EXPECT_EQ(WaitForFile(report), "started");
  EXPECT_EQ(OpenDescriptorCount(), before);
#else
  TemporaryDirectory dir;
  fs::path report = dir.path() / "report";
  int before = OpenDescriptorCount();
  Text line = os::ProgramDirectory() + "\\" + kChild + " detached " + report.string();
  EXPECT_TRUE(os::StartDetached(line));
  EXPECT_EQ(WaitForFile(report), "session=own fds=0 1 2 std=/dev/null,/dev/null,/dev/null");
  EXPECT_EQ(OpenDescriptorCount(), before);
#endif

  auto start = Clock::now();
  EXPECT_FALSE(os::StartDetached(os::ProgramDirectory() + "\\no_such_updater.exe site 1"));
  EXPECT_LT(Clock::now() - start, 1s);
}

}  // namespace
