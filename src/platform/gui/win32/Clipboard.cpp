// The clipboard, as plain text in the system's code page (GBK bytes).
#include <windows.h>

#include <cstring>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/GuiThread.h"

namespace gui {
namespace {

// Another program may hold the clipboard for a moment.
bool OpenTheClipboard() {
  HWND owner = static_cast<HWND>(win32::CallWindowHandle());
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

bool SetClipboardText(const Text& text) {
  bool taken = false;
  win32::CallOnGui([&] {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return;
    if (void* bytes = GlobalLock(memory)) {
      std::memcpy(bytes, text.c_str(), text.size() + 1);
      GlobalUnlock(memory);
    }
    if (!OpenTheClipboard()) {
      GlobalFree(memory);
      return;
    }
    EmptyClipboard();
    taken = SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!taken) GlobalFree(memory);
    CloseClipboard();
  });
  return taken;
}

Text ClipboardText() {
  Text text;
  win32::CallOnGui([&] {
    if (!OpenTheClipboard()) return;
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
      if (const char* bytes = static_cast<const char*>(GlobalLock(memory))) {
        text.assign(bytes, strnlen(bytes, GlobalSize(memory)));
        GlobalUnlock(memory);
      }
    }
    CloseClipboard();
  });
  return text;
}

}  // namespace gui
