// The local information window with a scripted adapter list and report.

#include <gtest/gtest.h>

#include <memory>

#include "ScriptedSource.h"
#include "netinfo/LocalInfoWindow.h"
#include "platform/gui/TestWindow.h"

namespace {

using gui::test::PumpUntil;

const Text kGigabit = "Example Gigabit Adapter";
const Text kWireless = "Example Wireless Adapter";

const IpconfigReport kGigabitReport = {
    true,          "192.168.1.23", "00:1A:2B:3C:4D:5E", "255.255.255.0",
    "192.168.1.1", "192.168.1.2",  "192.168.1.1",       "192.0.2.8",
    "是"};
const IpconfigReport kWirelessReport = {true,
                                        "10.0.0.6;10.0.0.5",
                                        "00:1A:2B:3C:4D:60",
                                        "255.255.0.0;255.0.0.0",
                                        "10.0.0.1",
                                        "",
                                        "10.0.0.1",
                                        "",
                                        "否"};

// The display's controls in table order.
const char* const kShown[] = {"主机名_编辑框",   "物理地址_编辑框", "IP地址_编辑框",
                              "子网掩码_编辑框", "网关_编辑框",     "是否DHCP_标签",
                              "DHCP_编辑框",     "主DNS_编辑框",    "副DNS_编辑框"};
using Shown = std::vector<Text>;
const Shown kNothingShown = {"*", "*", "*", "*", "*", "-", "*", "*", "*"};

class LocalInfoWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source_ = std::make_shared<ScriptedSource>();
    gui::SetMessageHook([this](const gui::MessageRecord& message) {
      messages_.push_back(message.text);
      EXPECT_EQ(message.caption, "信息：");
      if (onMessage_) onMessage_();
      return true;
    });
  }

  void TearDown() override {
    if (window_.IsOpen()) window_.Close();
    source_->Release();
    // Every load has finished and let go of what it held.
    EXPECT_TRUE(PumpUntil([this] { return source_.use_count() == 1; }));
    gui::SetMessageHook(nullptr);
  }

  void Open() {
    window_ = LoadLocalInfoWindow(source_, loads_);
    window_.Show();
  }

  gui::ComboBox Adapters() const { return window_.Get<gui::ComboBox>("组合框1"); }
  void ClickRefresh() { window_.Get<gui::Button>("按钮1").UserClick(); }

  Shown ShownTexts() const {
    Shown shown;
    for (const char* name : kShown) shown.push_back(window_.Get<gui::Control>(name).GetText());
    return shown;
  }

  std::vector<Text> AdapterItems() const {
    std::vector<Text> items;
    for (int i = 0; i < Adapters().ItemCount(); ++i) items.push_back(Adapters().ItemText(i));
    return items;
  }

  // Loads run one after another, so once a further load has taken the
  // adapter list, every load before it has finished.
  void WaitForLoadsSoFar() {
    const int before = source_->listCalls;
    ClickRefresh();
    ASSERT_TRUE(PumpUntil([&] { return source_->listCalls > before; }));
  }

  std::shared_ptr<ScriptedSource> source_;
  SerialLoads loads_;
  gui::Window window_;
  std::vector<Text> messages_;
  std::function<void()> onMessage_;
};

TEST_F(LocalInfoWindowTest, ShowsTheFirstAdapterAndThenTheUsersChoice) {
  source_->SetAdapters({"", kGigabit, kWireless});
  source_->SetReport(kGigabit, kGigabitReport);
  source_->SetReport(kWireless, kWirelessReport);
  Open();
  EXPECT_EQ(ShownTexts(), kNothingShown);  // until the worker gets there

  ASSERT_TRUE(PumpUntil([&] { return ShownTexts()[8] != "*" && !loads_.UnderWay(); }));
  EXPECT_EQ(AdapterItems(), (std::vector<Text>{kGigabit, kWireless}));
  EXPECT_EQ(Adapters().SelectedIndex(), 0);
  EXPECT_EQ(ShownTexts(), (Shown{"kv-desk", "00:1A:2B:3C:4D:5E", "192.168.1.23", "255.255.255.0",
                                 "192.168.1.1", "是", "192.168.1.2", "192.168.1.1", "192.0.2.8"}));
  EXPECT_FALSE(source_->reportOnGuiThread);

  // The user's choice is shown on the GUI thread, before the event returns;
  // no DHCP server means a fixed configuration.
  Adapters().UserSelect(1);
  EXPECT_TRUE(source_->reportOnGuiThread);
  EXPECT_EQ(ShownTexts(),
            (Shown{"kv-desk", "00:1A:2B:3C:4D:60", "10.0.0.6;10.0.0.5", "255.255.0.0;255.0.0.0",
                   "10.0.0.1", "否", "手动配置", "10.0.0.1", ""}));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(LocalInfoWindowTest, FailuresAreToldInAMessageBox) {
  struct Case {
    const char* what;
    std::vector<Text> adapters;
    Text message;
    std::vector<Text> items;
    Shown shown;
  };
  Shown hostNameOnly = kNothingShown;
  hostNameOnly[0] = "kv-desk";
  const Case cases[] = {
      {"no adapter", {}, "载入网卡失败，请刷新重试！", {}, kNothingShown},
      {"adapter not in the report", {kWireless}, "获取网卡信息失败！", {kWireless}, hostNameOnly},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages_.clear();
    source_->SetAdapters(c.adapters);
    Open();
    ASSERT_TRUE(PumpUntil([&] { return !messages_.empty(); }));
    EXPECT_EQ(messages_, std::vector<Text>{c.message});
    EXPECT_EQ(AdapterItems(), c.items);
    EXPECT_EQ(ShownTexts(), c.shown);
    window_.Close();
  }
}

TEST_F(LocalInfoWindowTest, AdaptersWithoutDescriptionAreLeftOut) {
  source_->SetAdapters({"", ""});
  Open();
  WaitForLoadsSoFar();
  EXPECT_EQ(Adapters().ItemCount(), 0);
  EXPECT_EQ(Adapters().SelectedIndex(), -1);
  EXPECT_EQ(ShownTexts(), kNothingShown);
  EXPECT_EQ(source_->reportCalls, 0);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(LocalInfoWindowTest, RefreshAndChoiceDuringALoadRunAfterIt) {
  source_->SetAdapters({kGigabit});
  source_->SetReport(kGigabit, kGigabitReport);
  source_->Hold();
  Open();
  ASSERT_TRUE(PumpUntil([&] { return source_->reportCalls == 1; }));

  ClickRefresh();
  Adapters().UserSelect(0);  // returns at once: it waits its turn
  gui::WaitWithEvents(100);
  EXPECT_EQ(source_->listCalls, 1);
  EXPECT_EQ(source_->reportCalls, 1);

  // The refresh has its own list and report; then the choice its report.
  source_->Release();
  ASSERT_TRUE(PumpUntil([&] { return source_->reportCalls == 3; }));
  EXPECT_EQ(source_->listCalls, 2);
  EXPECT_EQ(source_->mostAtOnce, 1);
  EXPECT_TRUE(PumpUntil([&] { return ShownTexts()[8] == "192.0.2.8"; }));
}

TEST_F(LocalInfoWindowTest, ALoadEndingAfterTheWindowClosedLeavesNoTrace) {
  // Without a report, a load that went on would show "获取网卡信息失败！".
  source_->SetAdapters({kWireless});
  source_->Hold();
  Open();
  ASSERT_TRUE(PumpUntil([&] { return source_->reportCalls == 1; }));
  ClickRefresh();  // waits behind the load under way
  window_.Close();
  source_->Release();

  ASSERT_TRUE(PumpUntil([&] { return source_.use_count() == 1; }));
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(source_->listCalls, 1);  // the waiting refresh did not run
}

TEST_F(LocalInfoWindowTest, ClosingWhileTheWorkerShowsAMessageEndsThere) {
  source_->SetAdapters({kWireless});
  source_->Hold();
  Open();
  ASSERT_TRUE(PumpUntil([&] { return source_->reportCalls == 1; }));
  ClickRefresh();
  onMessage_ = [this] { window_.Close(); };
  source_->Release();

  ASSERT_TRUE(PumpUntil([&] { return source_.use_count() == 1; }));
  EXPECT_EQ(messages_, std::vector<Text>{"获取网卡信息失败！"});
  EXPECT_EQ(source_->listCalls, 1);
}

}  // namespace
