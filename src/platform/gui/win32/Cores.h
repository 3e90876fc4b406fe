#pragma once
// What a window or control handle points at, and the helpers every control
// operation goes through: carried out on the GUI thread, and only while the
// control's window is open.

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/GuiThread.h"

namespace gui::win32 {
class ControlWindow;
}

namespace gui::detail {

struct ControlCore {
  ControlKind kind{};
  Text name;
  std::atomic<bool> alive{true};  // false once the window has closed
  // Touched on the GUI thread only. Lives as long as the core; its window
  // handle is destroyed with the top-level window.
  std::unique_ptr<win32::ControlWindow> widget;
  // Event handlers (GUI thread only); which ones a kind uses is up to it.
  std::function<void()> onEvent;
  std::function<void()> onSecondEvent;
  std::function<void(int)> onIntEvent;
  ~ControlCore();
};

struct WindowCore {
  Text title;
  std::atomic<bool> alive{true};
  // The rest is touched on the GUI thread only.
  HWND hwnd = nullptr;
  std::vector<std::shared_ptr<ControlCore>> controls;  // table order
  std::function<void()> onCreated;
  std::function<void()> onClosed;
  std::weak_ptr<WindowCore> owner;
  bool shown = false;
  bool createdRan = false;
  bool closing = false;
  std::vector<HWND> disabledWhileModal;  // re-enabled when the modal window closes
};

}  // namespace gui::detail

namespace gui::win32 {

using detail::ControlCore;

// The window object behind every control: its handle, the way back to its
// handle's core, the control's text as Control::SetText and GetText see it,
// and the messages the top-level window hands on to the control they concern.
class ControlWindow {
 public:
  virtual ~ControlWindow() = default;
  virtual void SetTextValue(const Text&) {}
  virtual Text TextValue() const { return {}; }
  // Told once the window has placed the control where its table says
  // (size in pixels of the screen).
  virtual void Placed(int /*width*/, int /*height*/) {}
  // Told each time its window is about to be shown.
  virtual void BeforeShowing() {}
  // WM_COMMAND from the control (notification code and id).
  virtual void Command(int /*code*/, int /*id*/) {}
  // WM_NOTIFY from the control; `handled` left false gives the default.
  virtual LRESULT Notify(NMHDR* /*header*/, bool& /*handled*/) { return 0; }
  // WM_HSCROLL and WM_VSCROLL from the control.
  virtual void Scrolled(int /*code*/) {}
  // WM_CTLCOLORSTATIC and friends; null gives the default colours.
  virtual HBRUSH Colors(HDC) { return nullptr; }
  // WM_DRAWITEM for an owner-drawn control.
  virtual void DrawItem(const DRAWITEMSTRUCT&) {}
  // The top-level window's client area was resized.
  virtual void ParentResized(int /*width*/, int /*height*/) {}
  // A message of the control's own window, once Subclass() has been called;
  // true when handled (then `result` is returned).
  virtual bool Message(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }
  // Routes the control window's own messages through Message().
  void Subclass();

  HWND hwnd = nullptr;
  std::weak_ptr<ControlCore> core;
};

// The control object of a child window of ours, or null.
ControlWindow* ControlOf(HWND hwnd);
// Marks hwnd as belonging to control (also for helper windows a control
// owns, such as a toolbar's tooltips or a list's header).
void Attach(HWND hwnd, ControlWindow* control);

// The widget of a control whose window is still open, or null.
template <class W>
W* LiveWidget(const std::shared_ptr<ControlCore>& core) {
  if (!core || !core->alive.load() || !core->widget) return nullptr;
  return dynamic_cast<W*>(core->widget.get());
}

// Runs f(widget) on the GUI thread and gives its result; `empty` when the
// control is gone or the GUI thread no longer serves calls.
template <class W, class R, class F>
R WithWidget(const std::shared_ptr<ControlCore>& core, R empty, F&& f) {
  R result = empty;
  CallOnGui([&] {
    if (W* w = LiveWidget<W>(core)) result = f(*w);
  });
  return result;
}

template <class W, class F>
void WithWidget(const std::shared_ptr<ControlCore>& core, F&& f) {
  CallOnGui([&] {
    if (W* w = LiveWidget<W>(core)) f(*w);
  });
}

// Stores a handler on the GUI thread.
template <class H>
void SetHandler(const std::shared_ptr<ControlCore>& core, H ControlCore::*slot, H handler) {
  CallOnGui([&] {
    if (core && core->alive.load()) core.get()->*slot = std::move(handler);
  });
}

// Raises an event of a control whose window is still open (GUI thread). The
// handler is copied first: it may replace itself or close the window.
template <class... Args>
void Raise(const std::weak_ptr<ControlCore>& weak, std::function<void(Args...)> ControlCore::*slot,
           Args... args) {
  auto core = weak.lock();
  if (!core || !core->alive.load()) return;
  auto handler = core.get()->*slot;
  if (handler) handler(args...);
}

}  // namespace gui::win32
