#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "process/AppState.h"
#include "support/LoopbackHttpServer.h"
#include "support/MainWindowFixture.h"
#include "update/UpdateCheck.h"
#include "update/UpdateFiles.h"
#include "update/UpdatePage.h"

namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 30s) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    gui::WaitWithEvents(2);
  }
  return true;
}

// The check against a main window of its own; every question is answered No.
class UpdateCheckTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    gui::SetMessageHook([this](const gui::MessageRecord& record) {
      questions_.push_back(record);
      return false;
    });
  }

  void TearDown() override {
    gui::SetMessageHook(nullptr);
    MainWindowFixture::TearDown();
  }

  // Runs the check on a thread of its own while the GUI thread serves it.
  void RunCheck() {
    std::atomic<bool> done{false};
    std::thread check([&] {
      UpdateCheck();
      done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
    check.join();
  }

  std::string ProgramFile(const std::string& name) const { return programDir_ + "/" + name; }

  std::vector<gui::MessageRecord> questions_;  // the hook runs on the GUI thread
};

TEST_F(UpdateCheckTest, AsksAboutTheVersionThePageOffers) {
  OpenMainWindow();
  WriteStandInUpdater(programDir_);
  const std::pair<std::string, std::optional<Text>> pages[] = {
      {"$$1|", std::nullopt},
      {"$$2|", "2"},
      {"$$2", "2"},
      {"$$2$$|x", "2"},
      {"$$", std::nullopt},
      {"$$|3", ""},
      {" $$2|", std::nullopt},
      {"\r\n$$2|", std::nullopt},
      {"$$2\0|9"s, "2"},
      {"\0$$2|"s, std::nullopt},
      {"<html><body>404</body></html>", std::nullopt},
  };
  for (const auto& [body, version] : pages) {
    SCOPED_TRACE(body);
    LoopbackHttpServer server(LoopbackHttpServer::OkResponse(body));
    WriteUpdateIni(programDir_, server.Url("/korvello/"));
    questions_.clear();
    RunCheck();

    if (version) {
      ASSERT_EQ(questions_.size(), 1u);
      EXPECT_EQ(questions_[0].text, UpdateQuestion(*version));
      EXPECT_EQ(questions_[0].caption, "更新提示：");
      EXPECT_TRUE(questions_[0].question);
    } else {
      EXPECT_TRUE(questions_.empty());
    }
    // One direct, uncached HTTP/1.0 GET of the next version's page.
    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& request = requests[0];
    EXPECT_EQ(request.rfind("GET /korvello/2/update.html HTTP/1.0\r\n", 0), 0u) << request;
    for (const char* header :
         {"\r\nAccept: */*\r\n",
          "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n",
          "\r\nPragma: no-cache\r\n", "\r\nCache-Control: no-cache\r\n"}) {
      EXPECT_NE(request.find(header), std::string::npos) << header;
    }
  }
  // Answering No leaves everything as it was: the program goes on.
  gui::WaitWithEvents(300);
  EXPECT_TRUE(mainWindow.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(UpdaterRecordPath(programDir_)));
  EXPECT_EQ(LogMessages().front(), "版本检测中……");
}

TEST_F(UpdateCheckTest, EndsSilentlyWithoutSiteOrServer) {
  OpenMainWindow();
  LoopbackHttpServer unasked(LoopbackHttpServer::OkResponse("$$2|"));
  RunCheck();  // no update.ini: the address has no server
  WriteUpdateIni(programDir_, "http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()) + "/");
  RunCheck();
  WriteFile(ProgramFile("update.ini"), "[config]\r\nother=" + unasked.Url("/korvello/") + "\r\n");
  RunCheck();

  EXPECT_TRUE(questions_.empty());
  EXPECT_TRUE(unasked.Requests().empty());
  EXPECT_EQ(LogMessages(),
            (std::vector<Text>{"版本检测中……", "版本检测中……", "版本检测中……", "初始化中……"}));
}

TEST_F(UpdateCheckTest, DeliveredUpdaterTakesTheOldOnesPlace) {
  OpenMainWindow();
  struct Case {
    bool delivered, installed;
    std::optional<std::string> updaterAfter;
  };
  const Case cases[] = {
      {true, true, "new updater"},
      {true, false, "new updater"},
      {false, true, "old updater"},
      {false, false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.delivered) + std::to_string(c.installed));
    std::filesystem::remove(ProgramFile("updata.exe"));
    if (c.delivered) WriteFile(ProgramFile("updata.exe.temp"), "new updater");
    if (c.installed) WriteFile(ProgramFile("updata.exe"), "old updater");
    RunCheck();  // no update.ini: no new version is found
    EXPECT_FALSE(std::filesystem::exists(ProgramFile("updata.exe.temp")));
    EXPECT_EQ(std::filesystem::exists(ProgramFile("updata.exe")), c.updaterAfter.has_value());
    if (c.updaterAfter) {
      EXPECT_EQ(ReadFile(ProgramFile("updata.exe")), *c.updaterAfter);
    }
  }
}

TEST_F(UpdateCheckTest, StartsOnItsOwnThreadWhenTheMainWindowIsCreated) {
  LoopbackHttpServer server(LoopbackHttpServer::OkResponse("$$2|"));
  WriteUpdateIni(programDir_, server.Url("/korvello/"));
  SetUpdateCheckAtStartForTesting(true);
  OpenMainWindow();
  SetUpdateCheckAtStartForTesting(false);
  ASSERT_TRUE(PumpUntil([&] { return !questions_.empty(); }));
  EXPECT_EQ(questions_[0].text, UpdateQuestion("2"));
  EXPECT_EQ(LogMessages(), (std::vector<Text>{"版本检测中……", "初始化中……"}));
}

}  // namespace
