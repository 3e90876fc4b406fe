// The edit box: one line of text, with text-changed and key events.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <climits>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"

namespace gui {
namespace win32 {
namespace {

// A byte of 0x80 or more starts a two-byte GBK character.
size_t CharacterLength(const Text& text, size_t at) {
  return static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
}

class EditBoxWindow : public ControlWindow {
 public:
  EditBoxWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, "EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent, place, id);
    Subclass();
  }

  // Raised once, after the new text is in place; the box's own change
  // notification for it is not passed on.
  void SetTextValue(const Text& text) override {
    ++programChanges_;
    SetWindowTextA(hwnd, text.c_str());
    --programChanges_;
    Raise(core, &ControlCore::onEvent);
  }

  Text TextValue() const override {
    const int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return {};
    Text text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
  }

  void Command(int code, int) override {
    if (code == EN_CHANGE && programChanges_ == 0) Raise(core, &ControlCore::onEvent);
  }

  // Every key pressed in the box is seen before the box handles it; Enter
  // reaches the box rather than the window's dialog keys.
  bool Message(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_KEYDOWN) {
      Raise(core, &ControlCore::onIntEvent, static_cast<int>(wParam));
    } else if (message == WM_GETDLGCODE) {
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        result = DefSubclassProc(hwnd, message, wParam, lParam) | DLGC_WANTMESSAGE;
        return true;
      }
    }
    return false;
  }

  // The selection, cut out of the text by characters (the box counts
  // characters, not bytes).
  Text Selection() const {
    DWORD start = 0, end = 0;
    SendMessageA(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const Text text = TextValue();
    Text selected;
    size_t character = 0;
    for (size_t at = 0; at < text.size(); ++character) {
      const size_t length = CharacterLength(text, at);
      if (character >= start && character < end) selected += text.substr(at, length);
      at += length;
    }
    return selected;
  }

  // Typing goes on at the end of the text.
  void MoveToEnd() { SendMessageA(hwnd, EM_SETSEL, INT_MAX, INT_MAX); }

  // A key as the user presses it: down, the character it types, up.
  void Press(int keyCode, const Text& typed) {
    SendMessageA(hwnd, WM_KEYDOWN, static_cast<WPARAM>(keyCode), 1);
    if (!hwnd || !IsWindow(hwnd)) return;
    if (typed.size() == 1)
      SendMessageA(hwnd, WM_CHAR, static_cast<unsigned char>(typed[0]), 1);
    else if (!typed.empty())
      SendMessageA(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
    if (IsWindow(hwnd)) SendMessageA(hwnd, WM_KEYUP, static_cast<WPARAM>(keyCode), 0xC0000001);
  }

 private:
  int programChanges_ = 0;
};

// The key that types a character, as a keyboard sends it; 0 for none.
int KeyTyping(const Text& character) {
  if (character.size() != 1) return 0;
  const SHORT key = VkKeyScanA(character[0]);
  return key == -1 ? 0 : (key & 0xFF);
}

// The character a key types on its own, as the edit box receives it.
Text KeyText(int keyCode) {
  if (keyCode >= 'A' && keyCode <= 'Z') return Text(1, static_cast<char>(keyCode - 'A' + 'a'));
  const UINT typed = MapVirtualKeyA(static_cast<UINT>(keyCode), MAPVK_VK_TO_CHAR) & 0x7FFF;
  return typed > 0 && typed < 0x80 ? Text(1, static_cast<char>(typed)) : Text();
}

}  // namespace

std::unique_ptr<ControlWindow> NewEditBoxWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<EditBoxWindow>(parent, place, id);
}

}  // namespace win32

using win32::EditBoxWindow;
using win32::WithWidget;

void EditBox::SelectAll() {
  WithWidget<EditBoxWindow>(core_,
                            [](EditBoxWindow& e) { SendMessageA(e.hwnd, EM_SETSEL, 0, -1); });
}

Text EditBox::SelectedText() const {
  return WithWidget<EditBoxWindow>(core_, Text(), [](EditBoxWindow& e) { return e.Selection(); });
}

void EditBox::OnTextChanged(std::function<void()> handler) {
  win32::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

void EditBox::OnKeyPressed(std::function<void(int keyCode)> handler) {
  win32::SetHandler(core_, &detail::ControlCore::onIntEvent, std::move(handler));
}

void EditBox::UserType(const Text& text) {
  WithWidget<EditBoxWindow>(core_, [&](EditBoxWindow& e) {
    for (size_t at = 0; at < text.size();) {
      if (!core_->alive.load()) return;  // a handler closed the window
      const Text character = text.substr(at, win32::CharacterLength(text, at));
      at += character.size();
      e.MoveToEnd();
      e.Press(win32::KeyTyping(character), character);
    }
  });
}

void EditBox::UserPressKey(int keyCode) {
  WithWidget<EditBoxWindow>(core_,
                            [&](EditBoxWindow& e) { e.Press(keyCode, win32::KeyText(keyCode)); });
}

}  // namespace gui
