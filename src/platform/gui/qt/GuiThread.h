#pragma once
// Carrying work over to the GUI thread while the caller waits.

#include <functional>

namespace gui::qt {

// Runs fn on the GUI thread: directly when called there, otherwise through
// the GUI thread's event queue while the caller waits. Returns false when fn
// did not run because no main loop serves callers any more (before the
// application exists, or once its loop has ended).
bool CallOnGui(const std::function<void()>& fn);

// Called on the GUI thread by the application object.
void StartServingCalls();
// Marks the loop as ended and releases every caller still waiting; their
// calls return without having run.
void StopServingCalls();
// Called on the GUI thread when the application object goes away.
void DeleteCallReceiver();

bool OnGuiThread();
bool HasLoopEnded();

}  // namespace gui::qt
