#pragma once
// What a window or control handle points at, and the helpers every control
// operation goes through: carried out on the GUI thread, and only while the
// control's window is open.

#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/GuiThread.h"

namespace gui::detail {

struct ControlCore {
  ControlKind kind{};
  Text name;
  std::atomic<bool> alive{true};  // false once the window has closed
  QPointer<QWidget> widget;       // touched on the GUI thread only
  // Event handlers (GUI thread only); which ones a kind uses is up to it.
  std::function<void()> onEvent;
  std::function<void()> onSecondEvent;
  std::function<void(int)> onIntEvent;
};

struct WindowCore {
  Text title;
  std::atomic<bool> alive{true};
  // The rest is touched on the GUI thread only.
  QPointer<QWidget> widget;
  std::vector<std::shared_ptr<ControlCore>> controls;  // table order
  std::function<void()> onCreated;
  std::function<void()> onClosed;
  std::weak_ptr<WindowCore> owner;
  bool shown = false;
  bool createdRan = false;
  bool closing = false;
  QPointer<QEventLoop> modalLoop;
};

}  // namespace gui::detail

namespace gui::qt {

using detail::ControlCore;

// The part every control's widget shares: the way back to its handle's core
// and the control's text, as Control::SetText and GetText see it.
class ControlWidget {
 public:
  virtual ~ControlWidget() = default;
  virtual void SetTextValue(const Text&) {}
  virtual Text TextValue() const { return {}; }
  // Told once the window has placed the control where its table says.
  virtual void Placed(QSize /*tableSize*/) {}

  std::weak_ptr<ControlCore> core;
};

// The widget of a control whose window is still open, or null.
template <class W>
W* LiveWidget(const std::shared_ptr<ControlCore>& core) {
  if (!core || !core->alive.load() || !core->widget) return nullptr;
  return dynamic_cast<W*>(core->widget.data());
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

}  // namespace gui::qt
