#include "platform/gui/win32/ControlWidgets.h"

#include <commctrl.h>

#include "platform/gui/win32/Metrics.h"

namespace gui::win32 {

namespace {
const char kControlProperty[] = "KorvelloControl";
}

ControlWindow* ControlOf(HWND hwnd) {
  return hwnd ? static_cast<ControlWindow*>(GetPropA(hwnd, kControlProperty)) : nullptr;
}

void Attach(HWND hwnd, ControlWindow* control) {
  if (hwnd) SetPropA(hwnd, kControlProperty, control);
}

namespace {

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR data) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, SubclassProc, id);
    RemovePropA(hwnd, kControlProperty);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  if (reinterpret_cast<ControlWindow*>(data)->Message(message, wParam, lParam, result))
    return result;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void ControlWindow::Subclass() {
  if (hwnd) SetWindowSubclass(hwnd, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

HWND MakeChild(ControlWindow* control, const char* className, DWORD style, DWORD exStyle,
               HWND parent, const RECT& place, int id, const char* text) {
  HWND hwnd = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, place.left,
                              place.top, place.right - place.left, place.bottom - place.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return nullptr;
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  control->hwnd = hwnd;
  Attach(hwnd, control);
  return hwnd;
}

std::unique_ptr<ControlWindow> CreateControlWindow(ControlKind kind, HWND parent, const RECT& place,
                                                   int id) {
  switch (kind) {
    case ControlKind::Toolbar:
      return NewToolbarWindow(parent, place, id);
    case ControlKind::Grid:
      return NewGridWindow(parent, place, id);
    case ControlKind::ListBox:
      return NewListBoxWindow(parent, place, id);
    case ControlKind::EditBox:
      return NewEditBoxWindow(parent, place, id);
    case ControlKind::IPv4Box:
      return NewIPv4BoxWindow(parent, place, id);
    case ControlKind::ComboBox:
      return NewComboBoxWindow(parent, place, id);
    case ControlKind::CheckBox:
      return NewCheckBoxWindow(parent, place, id);
    case ControlKind::Button:
      return NewButtonWindow(parent, place, id);
    case ControlKind::Label:
      return NewLabelWindow(parent, place, id);
    case ControlKind::Slider:
      return NewSliderWindow(parent, place, id);
    case ControlKind::ProgressBar:
      return NewProgressBarWindow(parent, place, id);
    case ControlKind::StatusBar:
      return NewStatusBarWindow(parent, place, id);
    case ControlKind::PictureBox:
      return NewPictureBoxWindow(parent, place, id);
    case ControlKind::Shape:
      return NewShapeWindow(parent, place, id);
  }
  return nullptr;
}

}  // namespace gui::win32
