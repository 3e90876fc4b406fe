#include <gtest/gtest.h>

#include <ostream>

#include "app/ToolbarCommands.h"
#include "config/IniFile.h"
#include "monitor/HostTable.h"
#include "monitor/ScriptedProbe.h"
#include "monitor/TestCycle.h"
#include "platform/gui/TestWindow.h"
#include "process/AppState.h"
#include "support/MainWindowFixture.h"

namespace {

using namespace std::chrono_literals;

constexpr gui::Color kGreen = 0x8000;
constexpr gui::Color kRed = 255;
constexpr gui::Color kBlue = 0xFF0000;

// What the cycle writes into a row.
struct RowCells {
  Text name, address, result, count, minimum, maximum;
  gui::Color resultColor = 0, countColor = 0;
  bool operator==(const RowCells&) const = default;
};

std::ostream& operator<<(std::ostream& out, const RowCells& c) {
  return out << "{" << c.name << " | " << c.address << " | " << c.result << " | " << c.count
             << " | " << c.minimum << " | " << c.maximum << " | " << std::hex << c.resultColor
             << " | " << c.countColor << std::dec << "}";
}

// Callable from the cycle's thread as well.
RowCells CellsOf(int row) {
  RowCells c;
  gui::RunOnGuiThread([&] {
    gui::Grid g = HostTableGrid();
    c = {g.CellText(row, 2), g.CellText(row, 3), g.CellText(row, 4),      g.CellText(row, 6),
         g.CellText(row, 7), g.CellText(row, 8), g.CellTextColor(row, 4), g.CellTextColor(row, 6)};
  });
  return c;
}

std::vector<Text> Column(int column) {
  std::vector<Text> texts;
  gui::Grid g = HostTableGrid();
  for (int r = 1; r < g.RowCount(); ++r) texts.push_back(g.CellText(r, column));
  return texts;
}

class TestCycleTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    OpenMainWindow();
    pingDelayMs = 0;
  }

  void TearDown() override {
    testRunning = 0;
    EXPECT_TRUE(gui::test::PumpUntil([] { return !IsTestCycleRunning(); }));
    MainWindowFixture::TearDown();
  }

  // Starts the cycle and serves it until it ends by itself, which it does
  // after the pass in which a hook of the probe cleared testRunning.
  void RunCycle() {
    testRunning = 1;
    StartTestCycle(probe_);
    ASSERT_TRUE(gui::test::PumpUntil([] { return !IsTestCycleRunning(); }));
  }

  std::shared_ptr<ScriptedProbe> probe_ = std::make_shared<ScriptedProbe>();
};

TEST_F(TestCycleTest, CountsColoursAndExtremesFollowEveryPing) {
  AppendHostRow("", "nas01");
  probe_->replies["nas01"] = {Reply("6"), Reply("4"), Reply("9"), NoReply("请求超时"), Reply("5")};
  std::vector<RowCells> seen;
  probe_->beforePing = [&](int call, const Text&) {
    if (call > 1) seen.push_back(CellsOf(1));
    if (call == 5) testRunning = 0;
  };
  RunCycle();
  seen.push_back(CellsOf(1));

  const Text a = "192.0.2.15";
  const RowCells expected[] = {
      {"nas01", a, "字节=32 时间=6ms TTL=64", "1", "6", "6", kGreen, kBlue},
      {"nas01", a, "字节=32 时间=4ms TTL=64", "2", "4", "6", kGreen, kBlue},
      {"nas01", a, "字节=32 时间=9ms TTL=64", "3", "4", "9", kGreen, kBlue},
      // No time: the minimum empties, the maximum stays, the address stays.
      {"nas01", a, "请求超时", "4", "", "9", kRed, kBlue},
      {"nas01", a, "字节=32 时间=5ms TTL=64", "5", "5", "9", kGreen, kBlue},
  };
  ASSERT_EQ(seen.size(), 5u);
  for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], expected[i]) << "pass " << i + 1;
  EXPECT_EQ(probe_->Pinged(), std::vector<Text>(5, "nas01"));
}

TEST_F(TestCycleTest, AddressRowsGetTheLookedUpNameAtEveryPass) {
  AppendHostRow("gw", "192.0.2.1");
  AppendHostRow("", "nas01");
  probe_->names["192.0.2.1"] = {"gw.kv.test", ""};
  probe_->replies["192.0.2.1"] = {Reply("2", "192.0.2.1")};
  probe_->replies["nas01"] = {Reply("3"), NoReply("找不到主机")};
  RowCells afterFirstLookup;
  probe_->beforePing = [&](int call, const Text&) {
    if (call == 1) afterFirstLookup = CellsOf(1);
    if (call == 4) testRunning = 0;
  };
  RunCycle();

  EXPECT_EQ(afterFirstLookup.name, "gw.kv.test");
  // The failed lookup of the second pass empties the name.
  EXPECT_EQ(CellsOf(1),
            (RowCells{"", "192.0.2.1", "字节=32 时间=2ms TTL=64", "2", "2", "2", kGreen, kBlue}));
  // A name row keeps the last address a reply named.
  EXPECT_EQ(CellsOf(2), (RowCells{"nas01", "192.0.2.15", "找不到主机", "2", "", "3", kRed, kBlue}));
  EXPECT_EQ(probe_->Pinged(), (std::vector<Text>{"192.0.2.1", "nas01", "192.0.2.1", "nas01"}));
  EXPECT_EQ(probe_->LookedUp(), (std::vector<Text>{"192.0.2.1", "192.0.2.1"}));
}

TEST_F(TestCycleTest, WaitsTheDelayBeforeEveryPassReadAfresh) {
  AppendHostRow("", "nas01");
  pingDelayMs = 300;
  probe_->beforePing = [](int call, const Text&) {
    if (call == 1) pingDelayMs = 150;
    if (call == 2) pingDelayMs = -100000;  // waits nothing
    if (call == 3) testRunning = 0;
  };
  auto start = std::chrono::steady_clock::now();
  RunCycle();
  auto times = probe_->PingTimes();
  ASSERT_EQ(times.size(), 3u);
  EXPECT_GE(times[0] - start, 300ms);
  EXPECT_GE(times[1] - times[0], 150ms);
  EXPECT_LT(times[2] - times[1], 5s);
}

TEST_F(TestCycleTest, StopInTheMiddleOfAPassLetsThePassFinish) {
  for (const char* host : {"a", "b", "c"}) AppendHostRow("", host);
  probe_->beforePing = [](int call, const Text&) {
    if (call == 2) testRunning = 0;
  };
  RunCycle();
  EXPECT_EQ(probe_->Pinged(), (std::vector<Text>{"a", "b", "c"}));
  EXPECT_EQ(Column(6), (std::vector<Text>{"1", "1", "1"}));
  EXPECT_EQ(Column(4), (std::vector<Text>{"请求超时", "请求超时", "请求超时"}));
}

TEST_F(TestCycleTest, RowAddedDuringAPassIsFirstTestedInTheNext) {
  AppendHostRow("", "a");
  AppendHostRow("", "b");
  probe_->beforePing = [](int call, const Text&) {
    if (call == 1) gui::RunOnGuiThread([] { AppendHostRow("", "c"); });
    if (call == 5) testRunning = 0;
  };
  RunCycle();
  EXPECT_EQ(probe_->Pinged(), (std::vector<Text>{"a", "b", "a", "b", "c"}));
  EXPECT_EQ(Column(6), (std::vector<Text>{"2", "2", "1"}));
}

TEST_F(TestCycleTest, RowDeletedDuringAPassPutsNoResultIntoAnotherRow) {
  struct Case {
    int deleted;  // while b is pinged
    std::vector<Text> hosts, results, counts;
  };
  const Case cases[] = {
      // The row above: b's result goes into b's row, now row 1.
      {1, {"b", "c"}, {"字节=32 时间=2ms TTL=64", ""}, {"1", ""}},
      // b's own row: its result goes nowhere, not into c's row.
      {2, {"a", "c"}, {"字节=32 时间=1ms TTL=64", ""}, {"1", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deleted);
    LoadHostTable();
    pingDelayMs = 0;
    for (const char* host : {"a", "b", "c"}) AppendHostRow("", host);
    probe_ = std::make_shared<ScriptedProbe>();
    probe_->replies = {{"a", {Reply("1")}}, {"b", {Reply("2")}}, {"c", {Reply("3")}}};
    probe_->beforePing = [&](int call, const Text&) {
      if (call != 2) return;
      gui::RunOnGuiThread([&] { HostTableGrid().DeleteRow(c.deleted); });
      testRunning = 0;
    };
    RunCycle();
    // The pass covered three rows; the third one was gone when it came.
    EXPECT_EQ(probe_->Pinged(), (std::vector<Text>{"a", "b"}));
    EXPECT_EQ(Column(2), c.hosts);
    EXPECT_EQ(Column(4), c.results);
    EXPECT_EQ(Column(6), c.counts);
  }
}

TEST_F(TestCycleTest, ReloadDuringAPassKeepsTheOldResultsOutOfTheNewRows) {
  for (const char* alias : {"a", "b", "c"}) configFile->WriteValue("list", alias, alias);
  LoadHostTable();
  pingDelayMs = 0;
  probe_->replies = {{"a", {Reply("1")}}, {"b", {Reply("2")}}, {"c", {Reply("3")}}};
  probe_->beforePing = [](int call, const Text&) {
    if (call != 2) return;
    gui::RunOnGuiThread(ReloadHostTable);
    testRunning = 0;
  };
  RunCycle();
  // c's row came with the reload and was tested after it.
  EXPECT_EQ(probe_->Pinged(), (std::vector<Text>{"a", "b", "c"}));
  EXPECT_EQ(Column(4), (std::vector<Text>{"", "", "字节=32 时间=3ms TTL=64"}));
  EXPECT_EQ(Column(6), (std::vector<Text>{"", "", "1"}));
}

TEST_F(TestCycleTest, StartWhileAStoppedCycleFinishesItsPassMakesNoSecondCycle) {
  AppendHostRow("", "a");
  auto second = std::make_shared<ScriptedProbe>();
  probe_->beforePing = [&](int call, const Text&) {
    if (call == 1) {
      // Stop, then Start again, while the first pass is still running.
      gui::RunOnGuiThread([&] {
        testRunning = 0;
        testRunning = 1;
        StartTestCycle(second);
      });
    }
    if (call == 3) testRunning = 0;
  };
  RunCycle();
  // The stopped cycle carried on; the counts went on from where they were.
  EXPECT_EQ(probe_->Pinged().size(), 3u);
  EXPECT_TRUE(second->Pinged().empty());
  EXPECT_EQ(Column(6), std::vector<Text>{"3"});
}

}  // namespace
