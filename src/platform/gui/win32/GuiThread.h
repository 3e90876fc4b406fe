#pragma once
// Carrying work over to the GUI thread while the caller waits: a message-only
// window of the GUI thread receives each call as a sent message.

#include <functional>

namespace gui::win32 {

// Runs fn on the GUI thread: directly when called there, otherwise as a
// message sent to the GUI thread's call window while the caller waits.
// Returns false when fn did not run because no loop serves callers any more
// (before the application exists, or once its loop has ended).
bool CallOnGui(const std::function<void()>& fn);

// Queues fn for the GUI thread without waiting; dropped once the loop has ended.
void PostOnGui(std::function<void()> fn);

// Called on the GUI thread by the application object: makes the call window.
void StartServingCalls();
// Marks the loop as ended and releases every caller still waiting; their
// calls return without having run.
void StopServingCalls();
// Called on the GUI thread when the application object goes away.
void DestroyCallWindow();
// The call window (GUI thread), e.g. as the clipboard's owner; null when none.
void* CallWindowHandle();

bool OnGuiThread();
bool HasLoopEnded();

}  // namespace gui::win32
