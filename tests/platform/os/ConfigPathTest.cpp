#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/os/ConfigPath.h"
#include "platform/os/Files.h"
#include "platform/os/Profile.h"
#include "platform/os/posix/ConfigPlaces.h"
#include "support/TemporaryDirectory.h"

namespace {

namespace fs = std::filesystem;

struct PlaceCase {
  const char* what;
  os::ConfigPlaces places;
  const char* path;
};

TEST(ConfigPathTest, BesideTheProgramWhenWritableOtherwiseTheSettingsFolder) {
  const PlaceCase cases[] = {
      {"writable program directory",
       {"/opt/kv", true, "/home/u/cfg", "/home/u"},
       "/opt/kv\\config.ini"},
      {"read-only, XDG_CONFIG_HOME set",
       {"/usr/lib/korvello", false, "/home/u/cfg", "/home/u"},
       "/home/u/cfg/korvello\\config.ini"},
      {"read-only, XDG_CONFIG_HOME unset",
       {"/usr/lib/korvello", false, "", "/home/u"},
       "/home/u/.config/korvello\\config.ini"},
      {"read-only, XDG_CONFIG_HOME relative",
       {"/usr/lib/korvello", false, "cfg", "/home/u/"},
       "/home/u/.config/korvello\\config.ini"},
      {"read-only, XDG_CONFIG_HOME with a trailing slash",
       {"/usr/lib/korvello", false, "/home/u/cfg/", ""},
       "/home/u/cfg/korvello\\config.ini"},
      {"read-only, no home known",
       {"/usr/lib/korvello", false, "", ""},
       "/usr/lib/korvello\\config.ini"},
      {"program in /", {"", true, "", "/home/u"}, "\\config.ini"},
  };
  for (const PlaceCase& c : cases) {
    EXPECT_EQ(os::ChooseConfigFilePath(c.places), c.path) << c.what;
  }
}

// The real checks, with the program directory and the environment set up as
// a test user would meet them.
class ConfigPathOnDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = temp_.path().string();
    ASSERT_FALSE(root_.empty());
    fs::create_directory(root_ + "/program");
    chmod(root_.c_str(), 0755);
    os::SetProgramDirectoryForTesting(root_ + "/program");
    const char* old = getenv("XDG_CONFIG_HOME");
    hadConfigHome_ = old != nullptr;
    if (old) oldConfigHome_ = old;
  }
  void TearDown() override {
    os::SetProgramDirectoryForTesting("");
    if (hadConfigHome_) {
      setenv("XDG_CONFIG_HOME", oldConfigHome_.c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
  }

  // Runs `check` in a child as an ordinary user (root may write anywhere);
  // its exit code is the number of failed expectations.
  int AsOrdinaryUser(int (*check)(const std::string& root)) {
    pid_t child = fork();
    if (child == 0) {
      if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
      _exit(check(root_));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
  }

  TemporaryDirectory temp_;
  std::string root_;
  bool hadConfigHome_ = false;
  std::string oldConfigHome_;
};

TEST_F(ConfigPathOnDiskTest, AWritableProgramDirectoryKeepsTheFileBesideIt) {
  setenv("XDG_CONFIG_HOME", (root_ + "/home").c_str(), 1);
  EXPECT_EQ(os::ConfigFilePath(), root_ + "/program\\config.ini");
}

// A read-only program directory: the first write makes the settings folder,
// private to the user, and the file reads back from there.
int WriteIntoTheSettingsFolder(const std::string& root) {
  int failures = 0;
  setenv("XDG_CONFIG_HOME", (root + "/home/.config").c_str(), 1);
  Text path = os::ConfigFilePath();
  failures += path != root + "/home/.config/korvello\\config.ini";
  failures += !os::ProfileWriteString("list", "nas", "10.0.0.20", path);
  failures += os::ProfileReadString("list", "nas", path).value_or("") != "10.0.0.20";
  struct stat info;
  failures +=
      stat((root + "/home/.config/korvello").c_str(), &info) != 0 || (info.st_mode & 0777) != 0700;
  failures += access((root + "/program/config.ini").c_str(), F_OK) == 0;
  return failures;
}

TEST_F(ConfigPathOnDiskTest, AReadOnlyProgramDirectoryUsesTheSettingsFolder) {
  fs::create_directory(root_ + "/home");
  ASSERT_EQ(chown((root_ + "/home").c_str(), geteuid() == 0 ? 65534 : geteuid(), -1), 0);
  chmod((root_ + "/program").c_str(), 0555);
  EXPECT_EQ(AsOrdinaryUser(WriteIntoTheSettingsFolder), 0);
  chmod((root_ + "/program").c_str(), 0755);
}

}  // namespace
