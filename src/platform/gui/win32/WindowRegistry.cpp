#include "platform/gui/win32/WindowRegistry.h"

#include <algorithm>
#include <vector>

namespace gui::win32 {
namespace {

// GUI thread only. Weak: a window's core lives as long as its window or a handle.
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
  for (const auto& window : LiveWindows())
    if (window->shown) ++count;
  return count;
}

bool IsOurWindow(HWND hwnd) {
  for (const auto& window : LiveWindows())
    if (window->hwnd == hwnd) return true;
  return false;
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
  // Owned windows go with their owners: destroy the later ones first.
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if ((*it)->hwnd && IsWindow((*it)->hwnd)) DestroyWindow((*it)->hwnd);
}

}  // namespace gui::win32
