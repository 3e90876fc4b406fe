#pragma once
// The windows of the process, for ending the loop and for shutting down.

#include <memory>
#include <vector>

#include "platform/gui/win32/Cores.h"

namespace gui::win32 {

void RegisterWindow(const std::shared_ptr<detail::WindowCore>& window);
// Windows not closed yet, in the order they were made.
std::vector<std::shared_ptr<detail::WindowCore>> LiveWindows();
// Windows shown and not closed yet.
int OpenWindowCount();
// True when hwnd is the top-level window of one of our windows.
bool IsOurWindow(HWND hwnd);
// Ends Run's loop when no window is open any more (GUI thread).
void EndLoopIfNoWindowIsOpen();
// Makes the window's handles and its controls' handles do nothing from now
// on, and drops every handler (which may hold handles of the window).
void MarkClosed(detail::WindowCore& window);
// At shutdown: every window still there goes away without its closed event.
void DestroyAllWindows();

// The loop (Application.cpp): handles what is queued now, or waits for
// something and handles it; true once the main loop has been asked to end.
void PumpAvailable();
void PumpOrWait();
bool ExitRequested();

}  // namespace gui::win32
