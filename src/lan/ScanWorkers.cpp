#include "lan/ScanWorkers.h"

#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

#include "lan/LanSearchWindow.h"
#include "lan/NetworkProbes.h"
#include "process/AppState.h"

namespace {

constexpr int kPingTimeoutMs = 5;
constexpr int kDispatchPollMs = 50;
constexpr int kStopPollMs = 100;
constexpr int kLabelPeriodMs = 1000;
// The label thread sleeps in slices so that it ends soon after its search.
constexpr int kLabelSliceMs = 50;
constexpr gui::Color kLocalRowColor = 255;

std::atomic<int> currentSearch{0};
// Counted by the dispatcher before it starts a worker, so that a worker is
// running from the moment it exists until its thread ends.
std::atomic<int> runningWorkers{0};
std::atomic<int> labelThreads{0};
thread_local bool workerThread = false;

// The index-th entry (from 1) of lanAddressList; empty outside the list.
Text AddressAt(int index) {
  if (!lanAddressList || index < 1 || index > static_cast<int>(lanAddressList->size())) return {};
  return (*lanAddressList)[index - 1];
}

bool AddressListEmpty() {
  return !lanAddressList || lanAddressList->empty();
}

// One less active worker, never below 0.
void LeaveActiveWorkers() {
  int active = lanActiveWorkers.load();
  while (active > 0 && !lanActiveWorkers.compare_exchange_weak(active, active - 1)) {
  }
}

// Append the row first, then each cell of the new last row, in this order.
void WriteResultRow(gui::Grid grid, const Text& address) {
  grid.AppendRow(IntegerToText(grid.RowCount()));
  grid.SetCellText(grid.RowCount() - 1, 1, Probes().lookupHostName(address));
  grid.SetCellText(grid.RowCount() - 1, 2, address);
  grid.SetCellText(grid.RowCount() - 1, 3, Probes().RemoteMacAddress(address));
  if (address == lanLocalAddress) {
    grid.SetCellText(grid.RowCount() - 1, 4, "本机");
    int row = grid.RowCount() - 1;
    grid.SetTextColor(row, 0, row, grid.ColumnCount() - 1, kLocalRowColor);
  }
}

}  // namespace

int BeginSearchNumber() {
  return ++currentSearch;
}

bool SearchGoesOn(const SearchContext& context) {
  return lanRunning.load() == 1 && currentSearch.load() == context.search;
}

void DispatchWorkers(SearchContext context) {
  const int n = lanAddressList ? static_cast<int>(lanAddressList->size()) : 0;
  for (int i = 1; i <= n && SearchGoesOn(context); ++i) {
    ++lanActiveWorkers;
    StartWorker(i, context);
    while (lanActiveWorkers.load() >= lanWorkerLimit.load() && SearchGoesOn(context))
      gui::WaitWithEvents(kDispatchPollMs);
    // A search stopped meanwhile keeps its bar empty.
    if (!SearchGoesOn(context)) break;
    context.progressBar.SetPosition(context.progressBar.Position() + 1);
  }
}

bool StartWorker(int index, const SearchContext& context) {
  ++runningWorkers;
  // Its place in the queue for lanLock is taken here, in address order.
  const unsigned ticket = lanLock->TakeTicket();
  try {
    std::thread([index, context, ticket] {
      workerThread = true;
      ScanAddress(index, context, ticket);
      --runningWorkers;
    }).detach();
    return true;
  } catch (const std::system_error&) {
    // Its place in lanActiveWorkers stays taken until the search stops.
    lanLock->Forfeit(ticket);
    --runningWorkers;
    return false;
  }
}

void ScanAddress(int index, SearchContext context, unsigned ticket) {
  if (lanRunning.load() == 0) {
    lanLock->Forfeit(ticket);
    return;
  }
  lanLock->Enter(ticket);
  const Text address = AddressAt(index);
  const int roundTrip = Probes().PingAddress(address, kPingTimeoutMs);
  if (roundTrip >= 0) {
    if (lanRunning.load() == 0 || AddressListEmpty()) {
      lanLock->unlock();
      return;
    }
    WriteResultRow(context.grid, address);
  }
  lanLock->unlock();
  LeaveActiveWorkers();
  if (AddressListEmpty()) return;
  ShowCurrentAddress(context.statusBar, address);
  // The worker of the last address ends the search.
  if (address == lanAddressList->back()) StopSearch();
}

void ProgressLabelLoop(SearchContext context) {
  while (SearchGoesOn(context)) {
    // Checked again on the GUI thread, so that a stop that has emptied the
    // label is never overwritten.
    gui::RunOnGuiThread([&] {
      if (!SearchGoesOn(context)) return;
      context.progressLabel.SetText(IntegerToText(context.progressBar.Maximum()) + "/" +
                                    IntegerToText(context.progressBar.Position()));
    });
    for (int waited = 0; waited < kLabelPeriodMs && SearchGoesOn(context); waited += kLabelSliceMs)
      std::this_thread::sleep_for(std::chrono::milliseconds(kLabelSliceMs));
  }
}

bool StartProgressLabel(const SearchContext& context) {
  ++labelThreads;
  try {
    std::thread([context] {
      ProgressLabelLoop(context);
      --labelThreads;
    }).detach();
    return true;
  } catch (const std::system_error&) {
    --labelThreads;
    return false;
  }
}

void ShowCurrentAddress(gui::StatusBar statusBar, const Text& address) {
  statusBar.SetPartText(2, "正在搜索：" + address);
}

void WaitForOtherWorkers() {
  const int self = workerThread ? 1 : 0;
  while (runningWorkers.load() > self) gui::WaitWithEvents(kStopPollMs);
}

int RunningWorkers() {
  return runningWorkers.load();
}

int SearchThreadsAlive() {
  return runningWorkers.load() + labelThreads.load();
}
