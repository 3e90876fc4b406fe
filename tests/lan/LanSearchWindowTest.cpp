// The search window and its threads against a scripted network: the probes
// answer from a table, and a hook runs inside each ping (on the worker that
// holds lanLock) so that a test can act at a chosen point of the search.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "app/MainWindow.h"
#include "lan/AddressRange.h"
#include "lan/LanSearchWindow.h"
#include "lan/NetworkProbes.h"
#include "lan/ScanWorkers.h"
#include "process/AppState.h"
#include "support/MainWindowFixture.h"

namespace {

using namespace std::chrono_literals;

struct Device {
  Text name;
  Text mac;
};

class ScriptedNetwork : public NetworkProbes {
 public:
  // Set before a search starts.
  std::map<Text, Device> devices;
  bool everyAddressAnswers = false;
  Text localAddress;
  std::chrono::milliseconds pingTime{0};
  // Runs inside each ping with the address and the ping's number (from 1);
  // gives the answer, or nothing for the table's.
  std::function<std::optional<int>(const Text&, int)> onPing;

  int PingAddress(const Text& address, int timeoutMs) override {
    EXPECT_EQ(timeoutMs, 5);
    EXPECT_EQ(++inside_, 1) << "two probes at once";
    int number;
    {
      std::lock_guard hold(mutex_);
      pinged_.push_back(address);
      number = static_cast<int>(pinged_.size());
    }
    std::optional<int> answer;
    if (onPing) answer = onPing(address, number);
    std::this_thread::sleep_for(pingTime);
    if (!answer) answer = everyAddressAnswers || devices.count(address) ? 1 : -1;
    --inside_;
    return *answer;
  }
  Text lookupHostName(const Text& address) override {
    auto found = devices.find(address);
    return found == devices.end() ? Text() : found->second.name;
  }
  Text RemoteMacAddress(const Text& address) override {
    auto found = devices.find(address);
    return found == devices.end() ? Text() : found->second.mac;
  }
  Text LocalAddress() override { return localAddress; }

  std::vector<Text> Pinged() {
    std::lock_guard hold(mutex_);
    return pinged_;
  }

 private:
  std::mutex mutex_;
  std::vector<Text> pinged_;
  std::atomic<int> inside_{0};
};

// Waits with window events until the condition holds; false after 20 s.
bool WaitUntil(const std::function<bool()>& condition) {
  auto deadline = std::chrono::steady_clock::now() + 20s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    gui::WaitWithEvents(5);
  }
  return true;
}

// A worker's wait for something the GUI thread does; false after 20 s.
bool WorkerWaitsUntil(const std::function<bool()>& condition) {
  auto deadline = std::chrono::steady_clock::now() + 20s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

struct WindowState {
  bool boxes, search, stop;
  Text part1, part2, label;
  int maximum, position;
  bool operator==(const WindowState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const WindowState& s) {
  return out << "boxes " << s.boxes << " search " << s.search << " stop " << s.stop << " part1 ["
             << s.part1 << "] part2 [" << s.part2 << "] label [" << s.label << "] bar "
             << s.position << "/" << s.maximum;
}

const WindowState kStopped{true, true, false, "已停止", "", "", 0, 0};

std::vector<Text> Addresses(const Text& start, const Text& end) {
  return GenerateAddressList(start, end).addresses;
}

class LanSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!lanAddressList) lanAddressList = new std::vector<Text>();
    network.localAddress = "192.168.1.23";
    SetProbesForTesting(&network);
    OpenLanSearchWindow();
    window = OpenedLanSearchWindow();
    ASSERT_TRUE(window.IsOpen());
  }

  void TearDown() override {
    window.Close();
    EXPECT_TRUE(WaitUntil([] { return SearchThreadsAlive() == 0; }));
    for (std::thread& t : helpers) t.join();
    SetProbesForTesting(nullptr);
  }

  gui::IPv4Box StartBox() { return window.Get<gui::IPv4Box>("开始_IP编辑框"); }
  gui::IPv4Box EndBox() { return window.Get<gui::IPv4Box>("结束_IP编辑框"); }
  gui::Button SearchButton() { return window.Get<gui::Button>("搜索_按钮"); }
  gui::Button StopButton() { return window.Get<gui::Button>("停止_按钮"); }
  gui::Grid Grid() { return window.Get<gui::Grid>("高级表格1"); }
  gui::StatusBar Status() { return window.Get<gui::StatusBar>("状态条1"); }

  WindowState State() {
    auto bar = window.Get<gui::ProgressBar>("进度条1");
    return {StartBox().IsEnabled() && EndBox().IsEnabled(),
            SearchButton().IsEnabled(),
            StopButton().IsEnabled(),
            Status().PartText(1),
            Status().PartText(2),
            window.Get<gui::Label>("透明标签4").GetText(),
            bar.Maximum(),
            bar.Position()};
  }

  // Presses "搜 索" with the given range; returns once the dispatcher has.
  void Search(const Text& start, const Text& end) {
    StartBox().SetAddress(start);
    EndBox().SetAddress(end);
    SearchButton().UserClick();
  }

  // The bar's maximum before any search is the toolkit's own.
  WindowState Idle() {
    return {true, true, false, "", "", "", window.Get<gui::ProgressBar>("进度条1").Maximum(), 0};
  }

  bool WaitForStopped() {
    return WaitUntil([&] { return Status().PartText(1) == "已停止" && RunningWorkers() == 0; });
  }

  // A click from a thread of its own, as the user's click would come while a
  // worker waits for the GUI thread.
  void ClickLater(gui::Button button, std::atomic<bool>* returned = nullptr) {
    helpers.emplace_back([button, returned]() mutable {
      button.UserClick();
      if (returned) *returned = true;
    });
  }

  // Column 2 of every result row, in row order.
  std::vector<Text> RowAddresses() {
    std::vector<Text> rows;
    gui::Grid grid = Grid();
    for (int r = 1; r < grid.RowCount(); ++r) rows.push_back(grid.CellText(r, 2));
    return rows;
  }

  void ExpectReleased() {
    EXPECT_EQ(lanRunning, 0);
    EXPECT_EQ(lanLock, nullptr);
    EXPECT_TRUE(lanAddressList->empty());
    EXPECT_EQ(lanActiveWorkers, 0);
  }

  ScriptedNetwork network;
  gui::Window window;
  std::vector<std::thread> helpers;
};

TEST_F(LanSearchTest, OpensIdleWithTheProposedRange) {
  EXPECT_EQ(window.Title(), "搜索局域网");
  struct Named {
    Text name;
    Text text;
  };
  const Named labels[] = {{"透明标签1", "开始IP地址："},
                          {"透明标签2", "结束IP地址："},
                          {"搜索_按钮", "搜 索"},
                          {"停止_按钮", "停 止"},
                          {"透明标签4", ""},
                          {"状态条1", "当前状态："}};
  for (const Named& n : labels) EXPECT_EQ(window.Get<gui::Control>(n.name).GetText(), n.text);
  EXPECT_EQ(StartBox().Address(), "192.168.1.1");
  EXPECT_EQ(EndBox().Address(), "192.168.1.254");
  EXPECT_EQ(State(), Idle());
  EXPECT_EQ(Status().PartCount(), 3);

  gui::Grid grid = Grid();
  ASSERT_EQ(grid.RowCount(), 1);
  ASSERT_EQ(grid.ColumnCount(), 5);
  const Text headings[] = {"序号", "主机名", "IP地址", "MAC地址", "备注"};
  const int widths[] = {55, 130, 140, 140, 100};
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(grid.CellText(0, c), headings[c]);
    EXPECT_EQ(grid.ColumnWidth(c), widths[c]);
    EXPECT_EQ(grid.CellAlignment(0, c), gui::Align::Center);
  }
}

TEST_F(LanSearchTest, SearchOfA24ListsTheAnsweringDevicesAndEndsByItself) {
  network.devices = {{"192.168.1.200", {"printer", "00-1A-2B-3C-4D-5E"}},
                     {"192.168.1.23", {"me", "02-00-00-00-00-17"}},
                     {"192.168.1.7", {"", ""}},
                     {"192.168.1.254", {"router", "02-00-00-00-00-FE"}}};
  network.pingTime = 5ms;
  std::atomic<int> mostActive{0};
  std::mutex seenMutex;
  std::vector<Text> labels, answered;
  network.onPing = [&](const Text& address, int) -> std::optional<int> {
    int active = lanActiveWorkers;
    EXPECT_LE(active, 31);
    mostActive = std::max(mostActive.load(), active);
    EXPECT_EQ(lanWorkerLimit, 31);
    Text label = window.Get<gui::Label>("透明标签4").GetText();
    std::lock_guard hold(seenMutex);
    if (!label.empty()) labels.push_back(label);
    if (network.devices.count(address)) answered.push_back(address);
    return std::nullopt;
  };

  Search("192.168.1.1", "192.168.1.254");
  ASSERT_TRUE(WaitForStopped());

  // Several workers wait at once, never more than the limit (how close the
  // count comes to it depends on how fast threads start on a loaded machine).
  EXPECT_GT(mostActive, 1);
  EXPECT_LE(mostActive, 31);
  // Each worker gets its ticket for the lock as it is started, so the
  // addresses are probed in order and the last one, which ends the search,
  // comes last.
  EXPECT_EQ(network.Pinged(), Addresses("192.168.1.1", "192.168.1.254"));
  // The label shows the total and how many were handed out, once a second.
  ASSERT_FALSE(labels.empty());
  bool movedOn = false;
  for (const Text& label : labels) {
    ASSERT_EQ(label.substr(0, 4), "254/") << label;
    int handedOut = TextToInteger(label.substr(4));
    EXPECT_EQ(IntegerToText(handedOut), label.substr(4));
    EXPECT_LE(handedOut, 254);
    movedOn = movedOn || handedOut > 31;
  }
  EXPECT_TRUE(movedOn);

  // Rows are numbered in the order they were written.
  gui::Grid grid = Grid();
  ASSERT_EQ(RowAddresses(), answered);
  for (int r = 1; r < grid.RowCount(); ++r) {
    const Text address = grid.CellText(r, 2);
    SCOPED_TRACE(address);
    EXPECT_EQ(grid.CellText(r, 0), IntegerToText(r));
    EXPECT_EQ(grid.CellText(r, 1), network.devices[address].name);
    EXPECT_EQ(grid.CellText(r, 3), network.devices[address].mac);
    const bool local = address == "192.168.1.23";
    EXPECT_EQ(grid.CellText(r, 4), local ? "本机" : "");
    for (int c = 0; c < 5; ++c) EXPECT_EQ(grid.CellTextColor(r, c), local ? 255u : 0u) << c;
  }
  EXPECT_EQ(State(), kStopped);
  ExpectReleased();
}

TEST_F(LanSearchTest, StatusBarShowsTheAddressProbedLast) {
  Text beforeAnyWorkerFinished;
  network.onPing = [&](const Text&, int number) -> std::optional<int> {
    if (number == 1) beforeAnyWorkerFinished = Status().PartText(2);
    // The third worker has long shown its address when the fourth shows.
    if (number == 4) std::this_thread::sleep_for(50ms);
    if (number == 5) {
      EXPECT_TRUE(WorkerWaitsUntil([&] { return Status().PartText(2) == "正在搜索：10.0.0.4"; }))
          << Status().PartText(2);
    }
    return std::nullopt;
  };
  Search("10.0.0.1", "10.0.0.8");
  ASSERT_TRUE(WaitForStopped());
  EXPECT_EQ(beforeAnyWorkerFinished, "");
  EXPECT_EQ(Status().PartText(2), "");  // emptied by the stop
}

TEST_F(LanSearchTest, StopWhileAddressesAreHandedOutWritesNoFurtherRow) {
  network.everyAddressAnswers = true;
  network.onPing = [&](const Text&, int number) -> std::optional<int> {
    if (number == 10) {
      ClickLater(StopButton());
      // The reply comes after the stop: step 7 writes nothing.
      EXPECT_TRUE(WorkerWaitsUntil([] { return lanRunning == 0; }));
    }
    return std::nullopt;
  };
  Search("192.168.1.1", "192.168.1.254");
  // The stop ran within the dispatcher's wait, so it is over now.
  EXPECT_EQ(State(), kStopped);
  ExpectReleased();
  // The nine probes before the stop wrote their rows, in probing order.
  std::vector<Text> pinged = network.Pinged();
  ASSERT_GE(pinged.size(), 10u);
  EXPECT_LT(pinged.size(), 254u);
  EXPECT_EQ(RowAddresses(), std::vector<Text>(pinged.begin(), pinged.begin() + 9));
}

TEST_F(LanSearchTest, LastWorkerEndsTheSearchWhileOthersWait) {
  // The worker of the last address takes the lock first; three others wait.
  const std::vector<Text> list = Addresses("10.0.0.1", "10.0.0.4");
  lanLocalAddress = "10.0.0.99";
  lanLock = std::make_unique<OrderedLock>();
  lanRunning = 1;
  *lanAddressList = list;
  lanWorkerLimit = 4;
  lanActiveWorkers = 4;
  const SearchContext context = SearchWindowContext(BeginSearchNumber());

  network.everyAddressAnswers = true;
  std::atomic<bool> lastInside{false}, clickReturned{false};
  Text stateWhenClickReturned;
  std::mutex seenMutex;
  std::vector<Text> stateWhileWaiting;
  network.onPing = [&](const Text& address, int) -> std::optional<int> {
    if (address == list.back()) {
      lastInside = true;
      EXPECT_TRUE(WorkerWaitsUntil([] { return RunningWorkers() == 4; }));
      std::this_thread::sleep_for(30ms);  // they reach the lock
      return std::nullopt;
    }
    // This one got the lock after the last worker; its reply comes once the
    // last worker's stop has begun, and that stop waits for it.
    EXPECT_TRUE(WorkerWaitsUntil([] { return lanRunning == 0; }));
    std::lock_guard hold(seenMutex);
    stateWhileWaiting.push_back(Status().PartText(1));
    if (address == list.front()) {
      // "停 止" now merges into the worker's stop and returns when it is over.
      helpers.emplace_back([&] {
        StopButton().UserClick();
        stateWhenClickReturned = Status().PartText(1);
        clickReturned = true;
      });
    }
    return std::nullopt;
  };

  StopButton().SetEnabled(true);
  SetSearchState("正在搜索……");
  StartWorker(4, context);
  ASSERT_TRUE(WaitUntil([&] { return lastInside.load(); }));
  for (int i = 1; i <= 3; ++i) StartWorker(i, context);
  ASSERT_TRUE(WaitForStopped());
  ASSERT_TRUE(WaitUntil([&] { return clickReturned.load(); }));

  EXPECT_EQ(network.Pinged().size(), 4u);  // their pings still ran
  EXPECT_EQ(stateWhileWaiting, std::vector<Text>(3, "正在搜索……"));
  EXPECT_EQ(stateWhenClickReturned, "已停止");
  EXPECT_EQ(RowAddresses(), std::vector<Text>{"10.0.0.4"});
  EXPECT_EQ(Grid().CellText(1, 0), "1");
  EXPECT_EQ(State(), kStopped);
  ExpectReleased();
}

TEST_F(LanSearchTest, StopsThatOverlapAreMergedIntoOne) {
  // The last worker holds the lock while "停 止" is pressed twice; then it
  // runs its own stop, which must merge as well.
  const std::vector<Text> list = Addresses("10.0.0.1", "10.0.0.16");
  std::atomic<bool> firstReturned{false}, secondReturned{false};
  bool heldWhileStopping = false;
  WindowState whileStopping{};
  network.devices = {{"10.0.0.3", {}}};
  network.onPing = [&](const Text& address, int) -> std::optional<int> {
    if (address != list.back()) return std::nullopt;
    ClickLater(StopButton(), &firstReturned);
    EXPECT_TRUE(WorkerWaitsUntil([] { return lanRunning == 0; }));
    ClickLater(StopButton(), &secondReturned);
    std::this_thread::sleep_for(150ms);
    heldWhileStopping = lanLock && !lanAddressList->empty() && !firstReturned && !secondReturned;
    whileStopping = State();
    return -1;  // no reply: this worker goes on to show its address and stop
  };
  Search("10.0.0.1", "10.0.0.16");
  ASSERT_TRUE(WaitForStopped());
  ASSERT_TRUE(WaitUntil([&] { return firstReturned && secondReturned; }));

  EXPECT_TRUE(heldWhileStopping);
  EXPECT_EQ(whileStopping.part1, "正在搜索……");
  EXPECT_TRUE(whileStopping.stop);
  EXPECT_EQ(network.Pinged().size(), 16u);
  EXPECT_EQ(RowAddresses(), std::vector<Text>{"10.0.0.3"});
  EXPECT_EQ(State(), kStopped);  // part 2 emptied after the last worker showed its address
  ExpectReleased();
}

TEST_F(LanSearchTest, RangesThatAreNotAcceptedWaitForStop) {
  struct Case {
    Text start, end;
  };
  const Case cases[] = {
      {"10.0.0.10", "10.0.0.11"},  // two addresses
      {"", "10.0.0.20"},           // a blank start box cannot be stepped
      {"10.0.0.10", ""},           // a blank end reads as 0
  };
  network.everyAddressAnswers = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start + " - " + c.end);
    const int maximum = State().maximum;  // left as it was
    Search(c.start, c.end);
    EXPECT_EQ(State(), (WindowState{false, false, true, "生成IP", "", "", maximum, 0}));
    EXPECT_EQ(SearchThreadsAlive(), 0);
    StopButton().UserClick();
    EXPECT_EQ(State(), kStopped);
    ExpectReleased();
  }
  EXPECT_TRUE(network.Pinged().empty());
  EXPECT_EQ(Grid().RowCount(), 1);
}

TEST_F(LanSearchTest, ShortListsFinishAndASecondSearchNumbersFromOne) {
  network.devices = {{"10.0.0.2", {"a", ""}}, {"10.0.0.3", {"b", ""}}, {"10.0.0.5", {"c", ""}}};
  // Seven addresses run with one worker at a time.
  Search("10.0.0.1", "10.0.0.7");
  ASSERT_TRUE(WaitForStopped());
  EXPECT_EQ(network.Pinged(), Addresses("10.0.0.1", "10.0.0.7"));
  EXPECT_EQ(RowAddresses(), (std::vector<Text>{"10.0.0.2", "10.0.0.3", "10.0.0.5"}));

  Search("10.0.0.1", "10.0.0.3");
  ASSERT_TRUE(WaitForStopped());
  EXPECT_EQ(network.Pinged().size(), 10u);
  EXPECT_EQ(RowAddresses(), (std::vector<Text>{"10.0.0.2", "10.0.0.3"}));
  EXPECT_EQ(Grid().CellText(1, 0), "1");
  EXPECT_EQ(Grid().CellText(2, 0), "2");
  EXPECT_EQ(State(), kStopped);
}

TEST_F(LanSearchTest, ClosingTheWindowStopsTheSearchFirst) {
  network.everyAddressAnswers = true;
  std::atomic<int> runningAfterClose{-1};
  network.onPing = [&](const Text&, int number) -> std::optional<int> {
    if (number == 10) {
      gui::Window closing = window;
      helpers.emplace_back([closing, &runningAfterClose]() mutable {
        closing.Close();
        runningAfterClose = RunningWorkers();
      });
      EXPECT_TRUE(WorkerWaitsUntil([] { return lanRunning == 0; }));
    }
    return std::nullopt;
  };
  Search("192.168.1.1", "192.168.1.254");
  ASSERT_TRUE(WaitUntil([&] { return runningAfterClose >= 0; }));
  EXPECT_EQ(runningAfterClose, 0);
  EXPECT_FALSE(window.IsOpen());
  ExpectReleased();

  // The toolbar's next " 搜 索 " opens a fresh window.
  OpenLanSearchWindow();
  window = OpenedLanSearchWindow();
  ASSERT_TRUE(window.IsOpen());
  EXPECT_EQ(Grid().RowCount(), 1);
  EXPECT_EQ(State(), Idle());
}

TEST_F(LanSearchTest, WithoutALocalAddressTheBoxesStayBlankAndNoRowIsLocal) {
  window.Close();
  network.localAddress = "";
  OpenLanSearchWindow();
  window = OpenedLanSearchWindow();
  EXPECT_EQ(StartBox().Address(), "");
  EXPECT_EQ(EndBox().Address(), "");

  network.devices = {{"10.0.0.2", {"a", ""}}, {"127.0.0.1", {"localhost", ""}}};
  Search("10.0.0.1", "10.0.0.8");
  ASSERT_TRUE(WaitForStopped());
  EXPECT_EQ(lanLocalAddress, "127.0.0.1");
  EXPECT_EQ(RowAddresses(), std::vector<Text>{"10.0.0.2"});
  EXPECT_EQ(Grid().CellText(1, 4), "");
}

using LanSearchToolbarTest = MainWindowFixture;

TEST_F(LanSearchToolbarTest, SearchCommandOpensOneWindowWithoutOwner) {
  if (!lanAddressList) lanAddressList = new std::vector<Text>();
  ScriptedNetwork network;
  SetProbesForTesting(&network);
  OpenMainWindow();
  Toolbar().UserClick(kLanSearchButton);
  gui::Window search = OpenedLanSearchWindow();
  ASSERT_TRUE(search.IsOpen());
  EXPECT_EQ(search.Title(), "搜索局域网");
  Toolbar().UserClick(kLanSearchButton);
  EXPECT_EQ(OpenedLanSearchWindow().Core(), search.Core());
  // Without owner it outlives the main window.
  mainWindow.Close();
  EXPECT_TRUE(search.IsOpen());
  search.Close();
  SetProbesForTesting(nullptr);
}

}  // namespace
