#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "platform/os/Profile.h"
#include "support/Platform.h"
#include "support/TemporaryDirectory.h"

namespace {

namespace fs = std::filesystem;

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = temp_.path();
    ASSERT_FALSE(dir_.empty());
    path_ = (dir_ / "config.ini").string();
  }

  void Put(const std::string& content) { std::ofstream(path_, std::ios::binary) << content; }
  std::string Get() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<std::string> DirectoryEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  TemporaryDirectory temp_;
  fs::path dir_;
  std::string path_;
};

TEST_F(ProfileTest, NewFileHasTheUsualLayoutAndKeysKeepTheirPlace) {
  EXPECT_TRUE(os::ProfileWriteString("list", "gateway", "192.168.1.1", path_));
  EXPECT_TRUE(os::ProfileWriteString("list", "nas", "10.0.0.20", path_));
  EXPECT_TRUE(os::ProfileWriteString("config", "speed", "500", path_));
  EXPECT_TRUE(os::ProfileWriteString("list", "gateway", "192.168.1.254", path_));
  EXPECT_TRUE(os::ProfileWriteString("list", "printer", "10.0.0.30", path_));
  EXPECT_EQ(Get(),
            "[list]\r\ngateway=192.168.1.254\r\nnas=10.0.0.20\r\nprinter=10.0.0.30\r\n"
            "[config]\r\nspeed=500\r\n");
  EXPECT_EQ(os::ProfileReadString("list", "nas", path_), "10.0.0.20");
}

// A hand-edited file: comments, odd spacing, mixed line endings, a repeated
// section, a line without "=", no line ending at the end.
TEST_F(ProfileTest, HandEditedFileIsReadAsWrittenAndKeptOnRewrite) {
  const std::string original =
      "; saved hosts\n"
      "[ List ]\r\n"
      "  Gateway =  192.168.1.1  \r\n"
      "# the NAS\r\n"
      "nas=10.0.0.20;not a comment\r\n"
      "quoted=\"a b\"\r\n"
      "not a key line\r\n"
      "\r\n"
      "[config]\n"
      "speed=\t750\n"
      "[list]\n"
      "extra = 1\n"
      "last=x";
  Put(original);
  EXPECT_EQ(os::ProfileReadString("LIST", "gateway", path_), "192.168.1.1");
  EXPECT_EQ(os::ProfileReadString("list", "NAS", path_), "10.0.0.20;not a comment");
  EXPECT_EQ(os::ProfileReadString("list", "quoted", path_), "\"a b\"");
  EXPECT_EQ(os::ProfileReadString("list", "extra", path_), "1");
  EXPECT_EQ(os::ProfileReadString("list", "last", path_), "x");
  EXPECT_EQ(os::ProfileReadString("list", "not a key line", path_), std::nullopt);
  EXPECT_EQ(os::ProfileReadString("list", "; saved hosts", path_), std::nullopt);
  EXPECT_EQ(os::ProfileReadInt("Config", "Speed", 500, path_), 750);
  EXPECT_EQ(os::ProfileSectionNames(path_), (std::vector<Text>{"List", "config"}));
  EXPECT_EQ(os::ProfileKeyNames("list", path_),
            (std::vector<Text>{"Gateway", "nas", "quoted", "extra", "last"}));

  EXPECT_TRUE(os::ProfileWriteString("list", "GATEWAY", "10.1.1.1", path_));
  EXPECT_TRUE(os::ProfileWriteString("list", "new", "10.9.9.9", path_));
  EXPECT_TRUE(os::ProfileWriteString("other", "k", "v", path_));
  EXPECT_EQ(Get(),
            "; saved hosts\n"
            "[ List ]\r\n"
            "Gateway=10.1.1.1\r\n"
            "# the NAS\r\n"
            "nas=10.0.0.20;not a comment\r\n"
            "quoted=\"a b\"\r\n"
            "new=10.9.9.9\r\n"
            "not a key line\r\n"
            "\r\n"
            "[config]\n"
            "speed=\t750\n"
            "[list]\n"
            "extra = 1\n"
            "last=x\r\n"
            "[other]\r\n"
            "k=v\r\n");
}

TEST_F(ProfileTest, GbkNamesAreMatchedByCharacter) {
  // B0 41 and B0 61 are two different characters whose second bytes look
  // like "A" and "a"; 81 5D ends in a byte that looks like "]".
  EXPECT_TRUE(os::ProfileWriteString("\x81\x5D", "\xB0\x41", "one", path_));
  EXPECT_TRUE(os::ProfileWriteString("\x81\x5D", "\xB0\x61", "two", path_));
  EXPECT_TRUE(os::ProfileWriteString("列表", "主机", "网关 ", path_));
  EXPECT_EQ(os::ProfileReadString("\x81\x5D", "\xB0\x41", path_), "one");
  EXPECT_EQ(os::ProfileReadString("\x81\x5D", "\xB0\x61", path_), "two");
  EXPECT_EQ(os::ProfileReadString("列表", "主机", path_), "网关");
  EXPECT_EQ(os::ProfileSectionNames(path_), (std::vector<Text>{"\x81\x5D", "列表"}));
}

TEST_F(ProfileTest, IntegersAreReadFromTheLeadingSignAndDigits) {
  struct Case {
    const char* value;  // nullptr: no such key
    int expected;
  };
  const Case cases[] = {
      {"500", 500},
      {" 42 ", 42},
      {"-7", -7},
      {"+8", 8},
      {"12abc", 12},
      {"abc", 0},
      {"0x10", 0},
      {"1.9", 1},
      {"", 99},
      {nullptr, 99},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
  };
  for (const Case& c : cases) {
    Put(c.value ? std::string("[config]\r\nspeed=") + c.value + "\r\n" : "[config]\r\n");
    EXPECT_EQ(os::ProfileReadInt("config", "speed", 99, path_), c.expected)
        << (c.value ? c.value : "(none)");
  }
}

TEST_F(ProfileTest, WritesThatCouldNotBeReadBackAreRefused) {
  const std::string original = "[list]\r\na=1\r\n";
  struct Case {
    Text section, key, value;
  };
  const Case cases[] = {
      {"list", "a=b", "v"},
      {"list", "[x", "v"},
      {"list", ";x", "v"},
      {"list", "#x", "v"},
      {"list", "k", "a\r\nb"},
      {"list", "k", "a\nb"},
      {"li]st", "k", "v"},
      {"list", "", "v"},
      {"  ", "k", "v"},
      {"list", "k", Text("a\0b", 3)},
      // A lone GBK lead byte at the end takes the closing "]" as its second byte.
      {"\xFF", "k", "v"},
      {"li\x81", "k", "v"},
      {"\xFF ", "k", "v"},
  };
  for (const Case& c : cases) {
    Put(original);
    EXPECT_FALSE(os::ProfileWriteString(c.section, c.key, c.value, path_))
        << c.section << "/" << c.key << "/" << c.value;
    EXPECT_EQ(Get(), original);
  }
  // A GBK character whose second byte is "]" reads back and is kept.
  EXPECT_TRUE(os::ProfileWriteString("\x81]", "k", "v", path_));
  EXPECT_EQ(os::ProfileReadString("\x81]", "k", path_), "v");
}

TEST_F(ProfileTest, DeletingRemovesEveryCopyAndNothingElse) {
  Put("[list]\r\na=1\r\n; note\r\nb=2\r\n[config]\r\nspeed=5\r\n[LIST]\r\nA=3\r\nc=4\r\n");
  EXPECT_TRUE(os::ProfileDeleteKey("list", "a", path_));
  EXPECT_EQ(Get(), "[list]\r\n; note\r\nb=2\r\n[config]\r\nspeed=5\r\n[LIST]\r\nc=4\r\n");
  EXPECT_TRUE(os::ProfileDeleteKey("list", "missing", path_));
  EXPECT_TRUE(os::ProfileDeleteSection("list", path_));
  EXPECT_EQ(Get(), "[config]\r\nspeed=5\r\n");
}

TEST_F(ProfileTest, MissingFileReadsAsEmptyAndDeletingCreatesNothing) {
  EXPECT_EQ(os::ProfileReadString("list", "a", path_), std::nullopt);
  EXPECT_EQ(os::ProfileReadInt("config", "speed", 500, path_), 500);
  EXPECT_TRUE(os::ProfileKeyNames("list", path_).empty());
  EXPECT_TRUE(os::ProfileSectionNames(path_).empty());
  EXPECT_TRUE(os::ProfileDeleteKey("list", "a", path_));
  EXPECT_TRUE(os::ProfileDeleteSection("list", path_));
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(ProfileTest, BackslashPathsAreTaken) {
  EXPECT_TRUE(os::ProfileWriteString("list", "a", "1", dir_.string() + "\\config.ini"));
  EXPECT_EQ(os::ProfileReadString("list", "a", path_), "1");
  EXPECT_EQ(DirectoryEntries().size(), 1u);  // no temporary file left behind
}

TEST_F(ProfileTest, PermissionsAndLinksAreKeptOnLinux) {
#ifdef _WIN32
  GTEST_SKIP() << "Linux file modes and symbolic links";
#else
  EXPECT_TRUE(os::ProfileWriteString("list", "a", "1", path_));
  chmod(path_.c_str(), 0640);
  EXPECT_TRUE(os::ProfileWriteString("list", "b", "2", path_));
  struct stat info;
  ASSERT_EQ(stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  std::string link = (dir_ / "link.ini").string();
  ASSERT_EQ(symlink("config.ini", link.c_str()), 0);
  EXPECT_TRUE(os::ProfileWriteString("list", "c", "3", link));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(os::ProfileReadString("list", "c", path_), "3");
  EXPECT_EQ(DirectoryEntries().size(), 2u);  // no temporary file left behind
#endif
}

TEST_F(ProfileTest, WriteFailingForLackOfSpaceLeavesTheOldFileOnLinux) {
#ifdef _WIN32
  GTEST_SKIP() << "file size limits are Linux's";
#else
  const std::string original = "[list]\r\na=1\r\n";
  Put(original);
  // A child whose files may not grow beyond 64 bytes cannot write the new file.
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{64, 64};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(os::ProfileWriteString("list", "b", std::string(100, 'x'), path_) ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write reported success";
  EXPECT_EQ(Get(), original);
  EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"config.ini"});
#endif
}

TEST_F(ProfileTest, PathsThatAreNoFileAreNeverReplaced) {
  // A path that exists but cannot be read as a file is never replaced.
  fs::create_directory(dir_ / "taken.ini");
  EXPECT_FALSE(os::ProfileWriteString("list", "a", "1", (dir_ / "taken.ini").string()));
  EXPECT_TRUE(fs::is_directory(dir_ / "taken.ini"));
  // A file standing where a folder of the path should be.
  Put("[list]\r\n");
  EXPECT_FALSE(os::ProfileWriteString("list", "a", "1", (dir_ / "config.ini/x.ini").string()));
  EXPECT_EQ(Get(), "[list]\r\n");
}

// The file after `hosts` host keys and, when speed > 0, the speed key.
std::string SavedState(const std::string& preamble, int hosts, int speed) {
  std::string content = preamble;
  for (int i = 1; i <= hosts; ++i) {
    content += "host" + std::to_string(i) + "=10.0." + std::to_string(i / 256) + "." +
               std::to_string(i % 256) + "\r\n";
  }
  if (speed > 0) content += "[config]\r\nspeed=" + std::to_string(speed) + "\r\n";
  return content;
}

#ifdef _WIN32
// Starts the writer child on the profile file, ends it with TerminateProcess
// after `ms` milliseconds, and returns the last pair it reported as saved
// (-1 when it could not be started).
int RunAndKillWriter(const std::string& path, int ms) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 1 << 16)) return -1;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string line = "os_profile_writer_child.exe " + path;
  PROCESS_INFORMATION child{};
  BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                &startup, &child);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return -1;
  }
  Sleep(static_cast<DWORD>(ms));
  TerminateProcess(child.hProcess, 9);
  WaitForSingleObject(child.hProcess, INFINITE);
  int saved = 0, ack = 0;
  DWORD n = 0;
  while (ReadFile(readEnd, &ack, sizeof ack, &n, nullptr) && n == sizeof ack) saved = ack;
  CloseHandle(readEnd);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return saved;
}
#endif

// A writer killed at random moments: the file is always exactly a state the
// writer reached, holding every key it had reported as saved.
TEST_F(ProfileTest, KilledWriterNeverLosesASavedKey) {
  const std::string preamble = "; saved hosts\r\n[list]\r\n";
  std::mt19937 random(12345);
  for (int round = 0; round < 40; ++round) {
    Put(preamble);
#ifdef _WIN32
    int saved = RunAndKillWriter(path_, 20 + static_cast<int>(random() % 80));
    ASSERT_GE(saved, 0) << "the writer could not be started";
#else
    int acks[2];
    ASSERT_EQ(pipe(acks), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(acks[0]);
      for (int i = 1;; ++i) {
        std::string value = "10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256);
        if (!os::ProfileWriteString("list", "host" + std::to_string(i), value, path_) ||
            !os::ProfileWriteString("config", "speed", std::to_string(i), path_)) {
          _exit(1);
        }
        if (write(acks[1], &i, sizeof i) != sizeof i) _exit(1);
      }
    }
    close(acks[1]);
    usleep(1000 + random() % 50000);
    kill(child, SIGKILL);
    int saved = 0;
    int ack;
    while (read(acks[0], &ack, sizeof ack) == sizeof ack) saved = ack;
    close(acks[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed on its own";
#endif

    std::string content = Get();
    EXPECT_TRUE(content == SavedState(preamble, saved, saved) ||
                content == SavedState(preamble, saved + 1, saved) ||
                content == SavedState(preamble, saved + 1, saved + 1))
        << "round " << round << ", saved " << saved << ":\n"
        << content;
  }
  // Each writer removed the temporary files of the writers killed before
  // it: only the last one's write in flight may have left one.
  std::vector<std::string> entries = DirectoryEntries();
  EXPECT_LE(entries.size(), 2u) << testing::PrintToString(entries);
}

// The id of a process that has ended.
#ifdef _WIN32
unsigned long EndedProcess() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = std::string("\"") + self + "\" --gtest_list_tests --gtest_filter=-*";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &child)) {
    return 0;
  }
  WaitForSingleObject(child.hProcess, INFINITE);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return child.dwProcessId;
}
unsigned long OwnProcess() {
  return GetCurrentProcessId();
}
#else
pid_t EndedProcess() {
  pid_t child = fork();
  if (child == 0) _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  return child;
}
pid_t OwnProcess() {
  return getpid();
}
#endif

TEST_F(ProfileTest, TemporaryFilesOfEndedWritersGoWithTheNextWrite) {
  const std::string ended = std::to_string(EndedProcess());
  ASSERT_NE(ended, "0") << "no process could be started";
  const std::string alive = std::to_string(OwnProcess());
  struct Entry {
    std::string name;
    bool stays;
  };
  const Entry entries[] = {
      {"config.ini." + ended + "-3-41.tmp", false},
      {"config.ini." + ended + ".7.tmp", false},
      {"config.ini." + alive + ".7.tmp", true},  // a write in flight
      {"config.ini.bak", true},
      {"config.ini." + ended + ".tmp", true},
      {"config.ini.x" + ended + ".1.tmp", true},
      {"other.ini." + ended + ".1.tmp", true},
  };
  for (const Entry& e : entries) std::ofstream(dir_ / e.name) << "x";
  Put("[list]\r\na=1\r\n");
  EXPECT_TRUE(os::ProfileWriteString("list", "b", "2", path_));
  for (const Entry& e : entries) EXPECT_EQ(fs::exists(dir_ / e.name), e.stays) << e.name;
}

TEST_F(ProfileTest, ReadsFollowEveryChangeOfTheFile) {
  // Rewritten in place with the same size and within the same tick of the
  // file clock, by hand and by another process.
  for (const char* speed : {"11", "22", "33"}) {
    Put(std::string("[config]\r\nspeed=") + speed + "\r\n");
    EXPECT_EQ(os::ProfileReadString("config", "speed", path_), speed);
  }
#ifndef _WIN32
  for (const char* speed : {"44", "55"}) {
    pid_t child = fork();
    if (child == 0) _exit(os::ProfileWriteString("config", "speed", speed, path_) ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(os::ProfileReadString("config", "speed", path_), speed);
  }
#else
  Put("[config]\r\nspeed=55\r\n");
#endif
  // A settled file read many times, then changed through the service.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(os::ProfileReadInt("config", "speed", 0, path_), 55);
  EXPECT_TRUE(os::ProfileWriteString("config", "speed", "66", path_));
  EXPECT_EQ(os::ProfileReadInt("config", "speed", 0, path_), 66);
}

}  // namespace
