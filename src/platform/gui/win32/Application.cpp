// The application object, the main loop and event pumping.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/GuiThread.h"
#include "platform/gui/win32/Metrics.h"
#include "platform/gui/win32/WindowRegistry.h"

namespace gui {
namespace {

std::atomic<bool> quitRequested{false};
bool exitRequested = false;  // GUI thread only: Run's loop and modal loops end
bool running = false;        // GUI thread only: Run's loop is in progress
bool started = false;        // GUI thread only: an Application exists

// Wakes a loop that waits for messages, so that it sees a flag change.
void WakeLoop() {
  if (void* window = win32::CallWindowHandle())
    PostMessageA(static_cast<HWND>(window), WM_NULL, 0, 0);
}

void Dispatch(MSG& msg) {
  if (msg.message == WM_QUIT) {
    exitRequested = true;
    return;
  }
  // Tab and the arrow keys move between the controls of our windows.
  HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (top && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && win32::IsOurWindow(top) &&
      IsDialogMessageA(top, &msg))
    return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

}  // namespace

namespace win32 {

void PumpAvailable() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) Dispatch(msg);
}

void PumpOrWait() {
  MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  PumpAvailable();
}

bool ExitRequested() {
  return exitRequested;
}

void EndLoopIfNoWindowIsOpen() {
  if (running && OpenWindowCount() == 0) {
    exitRequested = true;
    WakeLoop();
  }
}

}  // namespace win32

Application::Application(int& /*argc*/, char** /*argv*/) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES |
                                                      ICC_LISTVIEW_CLASSES | ICC_INTERNET_CLASSES |
                                                      ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES |
                                                      ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  win32::DialogFont();
  quitRequested = false;
  exitRequested = false;
  started = true;
  win32::StartServingCalls();
}

Application::~Application() {
  win32::StopServingCalls();
  win32::DestroyAllWindows();
  win32::DestroyCallWindow();
  win32::DeleteDialogFont();
  started = false;
}

int Application::Run() {
  if (!quitRequested.load() && win32::OpenWindowCount() > 0) {
    running = true;
    exitRequested = false;
    while (!exitRequested && !quitRequested.load()) win32::PumpOrWait();
    running = false;
  }
  win32::StopServingCalls();
  return 0;
}

void Application::Quit() {
  quitRequested = true;
  if (!IsGuiThread()) {
    win32::PostOnGui([] { Quit(); });
    return;
  }
  if (running) {
    exitRequested = true;
    WakeLoop();
  }
}

void ProcessPendingEvents() {
  if (!IsGuiThread() || !started) return;
  win32::PumpAvailable();
}

void WaitWithEvents(int ms) {
  if (ms <= 0) return;
  if (!IsGuiThread() || !started) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    win32::PumpAvailable();
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

void RunOnGuiThread(const std::function<void()>& fn) {
  if (LoopEnded() || !fn) return;
  win32::CallOnGui(fn);
}

}  // namespace gui
