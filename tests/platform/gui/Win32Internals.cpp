#include <windows.h>

#include "ToolkitInternals.h"
#include "platform/gui/win32/Cores.h"

namespace gui::test {

bool IsOnScreen(const Window& window) {
  return window.Core() && window.Core()->hwnd && IsWindowVisible(window.Core()->hwnd);
}

}  // namespace gui::test
