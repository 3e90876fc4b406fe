// The push button and the check box.
#include <windows.h>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"

namespace gui {
namespace win32 {
namespace {

// Captions are shown as written: "&" is no mnemonic marker here.
Text Caption(const Text& text) {
  Text shown;
  for (char c : text) shown += c == '&' ? Text("&&") : Text(1, c);
  return shown;
}

class CaptionedWindow : public ControlWindow {
 public:
  void SetTextValue(const Text& text) override {
    text_ = text;
    SetWindowTextA(hwnd, Caption(text).c_str());
  }
  Text TextValue() const override { return text_; }

 private:
  Text text_;
};

class ButtonWindow : public CaptionedWindow {
 public:
  ButtonWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, "BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, parent, place, id);
  }
  void Command(int code, int) override {
    if (code == BN_CLICKED) Raise(core, &ControlCore::onEvent);
  }
};

class CheckBoxWindow : public CaptionedWindow {
 public:
  CheckBoxWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, parent, place, id);
  }
  // The window's colour shows through, as with the labels.
  HBRUSH Colors(HDC dc) override {
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
  }
};

}  // namespace

std::unique_ptr<ControlWindow> NewButtonWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<ButtonWindow>(parent, place, id);
}
std::unique_ptr<ControlWindow> NewCheckBoxWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<CheckBoxWindow>(parent, place, id);
}

}  // namespace win32

using win32::ButtonWindow;
using win32::CheckBoxWindow;
using win32::WithWidget;

void CheckBox::SetChecked(bool checked) {
  WithWidget<CheckBoxWindow>(core_, [&](CheckBoxWindow& c) {
    SendMessageA(c.hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  });
}

bool CheckBox::IsChecked() const {
  return WithWidget<CheckBoxWindow>(core_, false, [](CheckBoxWindow& c) {
    return SendMessageA(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
  });
}

void CheckBox::UserToggle() {
  WithWidget<CheckBoxWindow>(core_, [](CheckBoxWindow& c) {
    if (!IsWindowEnabled(c.hwnd)) return;
    const bool checked = SendMessageA(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageA(c.hwnd, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
  });
}

void Button::OnClicked(std::function<void()> handler) {
  win32::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

void Button::UserClick() {
  WithWidget<ButtonWindow>(core_, [](ButtonWindow& b) {
    if (IsWindowEnabled(b.hwnd)) b.Command(BN_CLICKED, 0);
  });
}

}  // namespace gui
