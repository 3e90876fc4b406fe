#include "lan/LanSearchWindow.h"

#include <algorithm>
#include <atomic>
#include <memory>

#include "grid/LayoutGrid.h"
#include "lan/AddressRange.h"
#include "lan/NetworkProbes.h"
#include "process/AppState.h"

namespace {

const Text kResultColumns = "序号=55;主机名=130;IP地址=140;MAC地址=140;备注=100";
const Text kNoLocalAddress = "127.0.0.1";

// A stop is finishing the search; another one that comes meanwhile merges
// into it.
std::atomic<bool> stopInHand{false};

// GUI thread only.
gui::Window searchWindow;

gui::WindowSpec SearchWindowSpec() {
  using gui::ControlKind;
  return {"搜索局域网",
          50,
          50,
          741,
          471,
          {
              {ControlKind::Label, "透明标签1", 15, 12, 64, 24, "开始IP地址："},
              {ControlKind::IPv4Box, "开始_IP编辑框", 85, 12, 146, 24},
              {ControlKind::Label, "透明标签2", 248, 12, 64, 24, "结束IP地址："},
              {ControlKind::IPv4Box, "结束_IP编辑框", 318, 12, 146, 24},
              {ControlKind::Button, "搜索_按钮", 473, 8, 84, 32, "搜 索"},
              {ControlKind::Button, "停止_按钮", 563, 8, 84, 32, "停 止"},
              {ControlKind::Label, "透明标签4", 653, 12, 72, 24},
              {ControlKind::ProgressBar, "进度条1", 6, 44, 722, 6},
              {ControlKind::Grid, "高级表格1", 6, 57, 722, 358},
              {ControlKind::StatusBar, "状态条1", 0, 422, 735, 20, "当前状态："},
          }};
}

gui::IPv4Box StartBox() {
  return searchWindow.Get<gui::IPv4Box>("开始_IP编辑框");
}
gui::IPv4Box EndBox() {
  return searchWindow.Get<gui::IPv4Box>("结束_IP编辑框");
}
gui::Button SearchButton() {
  return searchWindow.Get<gui::Button>("搜索_按钮");
}
gui::Button StopButton() {
  return searchWindow.Get<gui::Button>("停止_按钮");
}

// Steps 3 to 9 of the stop, on the GUI thread in one go: nothing of the GUI
// thread (a new "搜 索" above all) comes in between.
void FinishStop() {
  StopButton().SetEnabled(false);
  StartBox().SetEnabled(true);
  EndBox().SetEnabled(true);
  SearchButton().SetEnabled(true);
  lanActiveWorkers = 0;
  SearchContext controls = SearchWindowContext(0);
  controls.progressBar.SetMaximum(0);
  controls.progressBar.SetPosition(0);
  controls.progressLabel.SetText("");
  controls.statusBar.SetPartText(2, "");
  SetSearchState("已停止");
  lanLock.reset();
  if (lanAddressList) lanAddressList->clear();
  stopInHand = false;
}

// Closing the window ends its search first, while the controls still work,
// so that no thread is left writing into a window that is gone.
void OnSearchWindowClosed() {
  if (lanLock) StopSearch();
}

}  // namespace

void OpenLanSearchWindow() {
  if (searchWindow.IsOpen()) {
    searchWindow.BringToFront();
    return;
  }
  searchWindow = gui::Window(SearchWindowSpec());
  searchWindow.Get<gui::StatusBar>("状态条1").SetParts({70, 120, -1});
  StopButton().SetEnabled(false);
  SearchButton().OnClicked(StartSearch);
  StopButton().OnClicked(StopSearch);
  searchWindow.OnCreated(InitSearchWindow);
  searchWindow.OnClosed(OnSearchWindowClosed);
  searchWindow.Show();
}

gui::Window OpenedLanSearchWindow() {
  return searchWindow.IsOpen() ? searchWindow : gui::Window();
}

SearchContext SearchWindowContext(int search) {
  return {searchWindow.Get<gui::Grid>("高级表格1"), searchWindow.Get<gui::StatusBar>("状态条1"),
          searchWindow.Get<gui::ProgressBar>("进度条1"), searchWindow.Get<gui::Label>("透明标签4"),
          search};
}

void InitSearchWindow() {
  gui::Grid grid = searchWindow.Get<gui::Grid>("高级表格1");
  LayoutGrid(grid, kResultColumns);
  grid.SetAlignment(0, 0, grid.RowCount(), grid.ColumnCount(), gui::Align::Center);
  ProposedRange range = ProposeRange(Probes().LocalAddress());
  StartBox().SetAddress(range.start);
  EndBox().SetAddress(range.end);
}

void StartSearch() {
  Text localAddress = Probes().LocalAddress();
  lanLocalAddress = localAddress.empty() ? kNoLocalAddress : localAddress;
  lanLock = std::make_unique<OrderedLock>();
  LayoutGrid(searchWindow.Get<gui::Grid>("高级表格1"), kResultColumns);
  const int search = BeginSearchNumber();
  lanRunning = 1;
  StartBox().SetEnabled(false);
  EndBox().SetEnabled(false);
  SearchButton().SetEnabled(false);
  StopButton().SetEnabled(true);
  SetSearchState("准备搜索");

  SetSearchState("生成IP");
  lanAddressList->clear();
  AddressList list = GenerateAddressList(StartBox().Address(), EndBox().Address());
  *lanAddressList = list.addresses;
  // Not accepted: the window waits for "停 止", with no thread started.
  if (!list.accepted) return;

  const int n = static_cast<int>(lanAddressList->size());
  // At least one worker, or the dispatcher could never hand out an address.
  lanWorkerLimit = std::max(1, n / 8);
  SearchContext context = SearchWindowContext(search);
  context.progressBar.SetMaximum(n);
  StartProgressLabel(context);
  SetSearchState("正在搜索……");
  DispatchWorkers(context);
}

void StopSearch() {
  lanRunning = 0;
  const bool onGui = gui::IsGuiThread();
  if (stopInHand.exchange(true)) {
    // Merged into the stop in hand, which finishes the search. On the GUI
    // thread this one still returns only when no worker runs (the worker of
    // a stop in hand included, so that stop has finished too); a worker
    // must not wait, as the stop in hand may be waiting for it.
    if (onGui) WaitForOtherWorkers();
    return;
  }
  WaitForOtherWorkers();
  if (onGui) {
    FinishStop();
  } else {
    gui::RunOnGuiThread(FinishStop);
  }
}

void SetSearchState(const Text& state) {
  searchWindow.Get<gui::StatusBar>("状态条1").SetPartText(1, state);
}
