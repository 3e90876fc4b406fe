#pragma once
// The threads of a LAN search: the dispatcher that hands each address of
// lanAddressList to a worker thread of its own, the workers that probe their
// address under lanLock and write a result row, and the progress label.

#include "platform/gui/Gui.h"
#include "text/Text.h"

// What the search's threads write into, and which search they belong to.
// Each thread keeps its own copy, taken on the GUI thread.
struct SearchContext {
  gui::Grid grid;                // 高级表格1, the result rows
  gui::StatusBar statusBar;      // 状态条1, part 2 shows the address probed last
  gui::ProgressBar progressBar;  // 进度条1, counts the addresses handed out
  gui::Label progressLabel;      // 透明标签4, total "/" handed out
  int search = 0;                // from BeginSearchNumber
};

// A new number for a search that starts; the threads of earlier searches
// end when they see it.
int BeginSearchNumber();
// lanRunning is 1 and no newer search has begun.
bool SearchGoesOn(const SearchContext& context);

// GUI thread, the last step of starting a search: hands every address to a
// worker, at most lanWorkerLimit alive at once, and returns once all are
// handed out or the search has stopped. It does not wait for the workers.
void DispatchWorkers(SearchContext context);

// Starts the worker of the index-th address (from 1) on a thread of its own,
// with the next ticket of lanLock. False when the thread could not be started.
bool StartWorker(int index, const SearchContext& context);

// The body of one worker thread; it enters lanLock with its ticket.
void ScanAddress(int index, SearchContext context, unsigned ticket);

// The body of the progress-label thread; StartProgressLabel starts it.
void ProgressLabelLoop(SearchContext context);
bool StartProgressLabel(const SearchContext& context);

// The status bar's part 2: "正在搜索：" and the address.
void ShowCurrentAddress(gui::StatusBar statusBar, const Text& address);

// Waits until no worker other than the calling one is running, testing every
// 100 ms; the window stays responsive meanwhile. Returns at once when none runs.
void WaitForOtherWorkers();

// Worker threads from their start until they have ended, by whatever path.
int RunningWorkers();
// Workers and progress-label threads still alive (tests wait for 0).
int SearchThreadsAlive();
