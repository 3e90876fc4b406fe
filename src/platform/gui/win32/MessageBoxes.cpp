// Message boxes, shown on the GUI thread while the caller waits, and the
// hook that answers them instead in tests.
#include "platform/gui/MessageBoxes.h"

#include <windows.h>

#include <vector>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/Cores.h"
#include "platform/gui/win32/WindowRegistry.h"

namespace gui {
namespace {

HWND OwnerWindow(const Window* owner) {
  if (!owner || !owner->IsOpen()) return nullptr;
  return owner->Core()->hwnd;
}

}  // namespace

// Modal to every window of the program; the owner only places it. Without
// an owner the box is task modal, which disables every window of the
// thread; with one, the other windows are disabled here.
bool AskOnGui(const MessageRecord& record, const Window* owner) {
  bool answer = false;
  win32::CallOnGui([&] {
    if (auto hook = CurrentMessageHook()) {
      answer = hook(record);
      return;
    }
    HWND parent = OwnerWindow(owner);
    std::vector<HWND> disabled;
    if (parent) {
      for (const auto& window : win32::LiveWindows())
        if (window->hwnd != parent && IsWindowEnabled(window->hwnd)) {
          EnableWindow(window->hwnd, FALSE);
          disabled.push_back(window->hwnd);
        }
    }
    UINT style = record.question ? MB_YESNO | MB_ICONQUESTION : MB_OK | MB_TASKMODAL;
    if (!parent) style |= MB_TASKMODAL;
    const int result =
        MessageBoxA(parent, record.text.c_str(), record.caption.c_str(), style | MB_SETFOREGROUND);
    for (HWND window : disabled)
      if (IsWindow(window)) EnableWindow(window, TRUE);
    answer = record.question ? result == IDYES : true;
  });
  return answer;
}

}  // namespace gui
