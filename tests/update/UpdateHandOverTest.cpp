// Answering Yes: the program starts the updater and ends with exit code 0,
// also when the updater cannot be started. The program runs as a child.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#include <winsock2.h>  // before windows.h, as the loopback server needs it
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/os/Files.h"
#include "support/LoopbackHttpServer.h"
#include "support/Platform.h"
#include "support/TemporaryDirectory.h"
#include "update/UpdateCheck.h"
#include "update/UpdateFiles.h"
#include "update/UpdatePage.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kLongestRun = 120s;

// Runs the program in the directory; its exit status, or -1 when it had to
// be killed because it did not end in time.
int RunProgramIn(const std::string& directory) {
  std::string program =
      os::NativePath(os::ExecutableDirectory()) + "/update_check_child" + kExeSuffix;
#ifdef _WIN32
  std::string commandLine = "\"" + program + "\" \"" + directory + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &child))
    return -2;
  CloseHandle(child.hThread);
  const DWORD limit = std::chrono::duration_cast<std::chrono::milliseconds>(kLongestRun).count();
  DWORD status = 0;
  if (WaitForSingleObject(child.hProcess, limit) != WAIT_OBJECT_0) {
    TerminateProcess(child.hProcess, 1);
    WaitForSingleObject(child.hProcess, INFINITE);
    CloseHandle(child.hProcess);
    return -1;
  }
  GetExitCodeProcess(child.hProcess, &status);
  CloseHandle(child.hProcess);
  return static_cast<int>(status);
#else
  std::vector<char*> argv = {program.data(), const_cast<char*>(directory.c_str()), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -2;
  const auto deadline = std::chrono::steady_clock::now() + kLongestRun;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(20ms);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
#endif
}

bool WaitForFile(const std::string& path, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!std::filesystem::exists(path)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

TEST(UpdateHandOver, YesStartsTheUpdaterAndEndsTheProgram) {
  for (bool updaterPresent : {true, false}) {
    SCOPED_TRACE(updaterPresent ? "with updater" : "without updater");
    TemporaryDirectory temp;
    const std::string directory = temp.path().string();
    ASSERT_FALSE(directory.empty());
    LoopbackHttpServer server(LoopbackHttpServer::OkResponse("$$2|notes"));
    WriteUpdateIni(directory, server.Url("/korvello/"));
    if (updaterPresent) WriteStandInUpdater(directory);

    EXPECT_EQ(RunProgramIn(directory), 0);
    EXPECT_EQ(ReadFile(directory + "/question.txt"), "更新提示：\n" + UpdateQuestion("2"));
    const std::string record = UpdaterRecordPath(directory);
    if (updaterPresent) {
      // Generous: a program start under Wine on a loaded machine can take seconds.
      ASSERT_TRUE(WaitForFile(record, 60s));
      // The updater is started by its full name in the system's own spelling.
      const std::string updater = directory + (kOnWindows ? "\\" : "/") + "updata.exe";
      EXPECT_EQ(ReadFile(record), updater + "\n" + kUpdateSiteArgument + "\n1\n");
    } else {
      EXPECT_FALSE(std::filesystem::exists(record));
    }
  }
}

}  // namespace
