#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/os/Files.h"
#include "support/Platform.h"
#include "support/TemporaryDirectory.h"

namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = temp_.path().string();
    ASSERT_FALSE(dir_.empty());
  }
  // The path as the program builds it: directory, backslash, name.
  Text PathOf(const char* name) const { return dir_ + "\\" + name; }
  void Create(const char* name, const char* content) {
    std::ofstream(dir_ + "/" + name) << content;
  }

  TemporaryDirectory temp_;
  std::string dir_;
};

TEST_F(FilesTest, ProgramDirectoryHoldsTheRunningProgram) {
  Text dir = os::ProgramDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE(dir.back(), '/');
  EXPECT_TRUE(os::FileExists(dir + "\\os_services_tests" + kExeSuffix));
}

TEST_F(FilesTest, FileExistsIsTrueForFilesOnly) {
  Create("updata.exe.temp", "new");
  fs::create_directory(dir_ + "/folder");
  EXPECT_TRUE(os::FileExists(PathOf("updata.exe.temp")));
  EXPECT_FALSE(os::FileExists(PathOf("folder")));
  EXPECT_FALSE(os::FileExists(PathOf("missing")));
  // Windows takes the backslash as it stands; Linux needs slashes.
  EXPECT_EQ(os::NativePath("a\\b\\c.ini"), kOnWindows ? "a\\b\\c.ini" : "a/b/c.ini");
}

TEST_F(FilesTest, TheUpdaterReplacementSteps) {
  Create("updata.exe", "old");
  Create("updata.exe.temp", "new");
  // A move never replaces an existing file.
  EXPECT_FALSE(os::RenameFile(PathOf("updata.exe.temp"), PathOf("updata.exe")));
  EXPECT_TRUE(os::FileExists(PathOf("updata.exe.temp")));
  EXPECT_TRUE(os::RemoveFile(PathOf("updata.exe")));
  EXPECT_TRUE(os::RenameFile(PathOf("updata.exe.temp"), PathOf("updata.exe")));
  std::ifstream in(dir_ + "/updata.exe");
  std::string content;
  in >> content;
  EXPECT_EQ(content, "new");
  EXPECT_FALSE(os::FileExists(PathOf("updata.exe.temp")));
  EXPECT_FALSE(os::RemoveFile(PathOf("missing")));
  EXPECT_FALSE(os::RenameFile(PathOf("missing"), PathOf("other")));
}

}  // namespace
