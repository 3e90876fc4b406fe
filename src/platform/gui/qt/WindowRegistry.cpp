#include "platform/gui/qt/WindowRegistry.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace gui::qt {
namespace {

// GUI thread only. Weak: a window's core lives as long as its widget or a handle.
std::vector<std::weak_ptr<detail::WindowCore>>& Windows() {
  static std::vector<std::weak_ptr<detail::WindowCore>> windows;
  return windows;
}

}  // namespace

void RegisterWindow(const std::shared_ptr<detail::WindowCore>& window) {
  auto& windows = Windows();
  std::erase_if(windows, [](const auto& w) { return w.expired(); });
  windows.push_back(window);
}

std::vector<std::shared_ptr<detail::WindowCore>> LiveWindows() {
  std::vector<std::shared_ptr<detail::WindowCore>> live;
  for (const auto& weak : Windows()) {
    auto window = weak.lock();
    if (window && window->alive.load()) live.push_back(window);
  }
  return live;
}

int OpenWindowCount() {
  int count = 0;
  for (const auto& weak : Windows()) {
    auto window = weak.lock();
    if (window && window->alive.load() && window->shown) ++count;
  }
  return count;
}

void MarkClosed(detail::WindowCore& window) {
  window.alive = false;
  window.onCreated = nullptr;
  window.onClosed = nullptr;
  for (const auto& control : window.controls) {
    control->alive = false;
    control->onEvent = nullptr;
    control->onSecondEvent = nullptr;
    control->onIntEvent = nullptr;
  }
}

void DestroyAllWindows() {
  std::vector<std::shared_ptr<detail::WindowCore>> windows;
  for (const auto& weak : Windows())
    if (auto window = weak.lock()) windows.push_back(window);
  Windows().clear();
  for (const auto& window : windows) MarkClosed(*window);
  // Owned windows are children of their owners: delete the owners last.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) delete (*it)->widget.data();
}

}  // namespace gui::qt
