#include "platform/gui/win32/GuiThread.h"

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/gui/Gui.h"

namespace gui::win32 {
namespace {

// A call handed to the GUI thread. Its state changes only under callMutex:
// the GUI thread claims a pending call before it runs it, and a caller that
// gives up marks it abandoned, so a call never runs after its caller left.
struct PendingCall {
  enum class State { Pending, Running, Done, Abandoned };
  const std::function<void()>* fn;
  State state = State::Pending;
  std::condition_variable changed;
};

constexpr UINT kCallMessage = WM_APP + 1;
constexpr UINT kPostMessage = WM_APP + 2;
// A caller sends again after this long, so that it notices the end of the
// loop even while its message waits in a queue nobody reads any more.
constexpr UINT kSendSliceMs = 100;
const char kCallWindowClass[] = "KorvelloCallWindow";

std::mutex callMutex;
bool serving = false;       // guarded by callMutex
HWND callWindow = nullptr;  // guarded by callMutex
std::atomic<bool> loopEnded{true};
std::atomic<std::thread::id> guiThread{};

void RunCall(LPARAM carried) {
  auto* held = reinterpret_cast<std::shared_ptr<PendingCall>*>(carried);
  std::shared_ptr<PendingCall> call = std::move(*held);
  delete held;
  {
    std::lock_guard lock(callMutex);
    if (call->state != PendingCall::State::Pending) return;
    call->state = PendingCall::State::Running;
  }
  (*call->fn)();
  std::lock_guard lock(callMutex);
  call->state = PendingCall::State::Done;
  call->changed.notify_all();
}

LRESULT CALLBACK CallWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallMessage) {
    RunCall(lParam);
    return 1;
  }
  if (message == kPostMessage) {
    std::unique_ptr<std::function<void()>> fn(reinterpret_cast<std::function<void()>*>(lParam));
    if (*fn) (*fn)();
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

bool CallOnGui(const std::function<void()>& fn) {
  if (OnGuiThread()) {
    fn();
    return true;
  }
  auto call = std::make_shared<PendingCall>();
  call->fn = &fn;
  std::unique_lock lock(callMutex);
  for (;;) {
    switch (call->state) {
      case PendingCall::State::Done:
        return true;
      case PendingCall::State::Running:
        call->changed.wait(lock, [&] { return call->state == PendingCall::State::Done; });
        continue;
      default:
        break;
    }
    if (!serving) {
      call->state = PendingCall::State::Abandoned;
      return false;
    }
    HWND target = callWindow;
    lock.unlock();
    // The GUI thread runs the call when it next reads its messages, also
    // inside a modal loop or a message box. Each message carries its own
    // reference, which the GUI thread drops.
    auto* carried = new std::shared_ptr<PendingCall>(call);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(target, kCallMessage, 0, reinterpret_cast<LPARAM>(carried),
                             SMTO_NORMAL, kSendSliceMs, &result) &&
        GetLastError() != ERROR_TIMEOUT && GetLastError() != 0) {
      delete carried;  // never delivered: the window is gone
    }
    lock.lock();
  }
}

void PostOnGui(std::function<void()> fn) {
  std::lock_guard lock(callMutex);
  if (!serving || !callWindow) return;
  auto* carried = new std::function<void()>(std::move(fn));
  if (!PostMessageA(callWindow, kPostMessage, 0, reinterpret_cast<LPARAM>(carried))) delete carried;
}

void StartServingCalls() {
  guiThread = std::this_thread::get_id();
  std::lock_guard lock(callMutex);
  if (!callWindow) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CallWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kCallWindowClass;
    RegisterClassA(&windowClass);
    callWindow = CreateWindowExA(0, kCallWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
  }
  serving = callWindow != nullptr;
  loopEnded = false;
}

void StopServingCalls() {
  std::lock_guard lock(callMutex);
  serving = false;
  loopEnded = true;
}

void DestroyCallWindow() {
  HWND window;
  {
    std::lock_guard lock(callMutex);
    serving = false;
    window = callWindow;
    callWindow = nullptr;
  }
  if (!window) return;
  // Posted work that never ran is dropped with its memory.
  MSG msg;
  while (PeekMessageA(&msg, window, kPostMessage, kPostMessage, PM_REMOVE))
    delete reinterpret_cast<std::function<void()>*>(msg.lParam);
  DestroyWindow(window);
}

void* CallWindowHandle() {
  std::lock_guard lock(callMutex);
  return callWindow;
}

bool OnGuiThread() {
  return guiThread.load() == std::this_thread::get_id();
}

bool HasLoopEnded() {
  return loopEnded.load();
}

}  // namespace gui::win32

namespace gui {

bool IsGuiThread() {
  return win32::OnGuiThread();
}

bool LoopEnded() {
  return win32::HasLoopEnded();
}

}  // namespace gui
