// Controls that only show something: the transparent label, the picture box
// and the shape (a flat rule).
#include <windows.h>

#include <algorithm>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"
#include "platform/gui/win32/Metrics.h"
#include "platform/gui/win32/Pictures.h"

namespace gui {
namespace win32 {
namespace {

// Transparent: the window shows through. The label grows to fit one line of
// its text, so that a font wider than the one the table was made with never
// cuts a caption off.
class LabelWindow : public ControlWindow {
 public:
  LabelWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, "STATIC", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0, parent, place, id);
  }
  void SetTextValue(const Text& text) override {
    text_ = text;
    // One line stands in the middle of the label's height; several lines
    // start at its top.
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    const bool oneLine = text.find('\n') == Text::npos;
    SetWindowLongPtrA(hwnd, GWL_STYLE, oneLine ? style | SS_CENTERIMAGE : style & ~SS_CENTERIMAGE);
    SetWindowTextA(hwnd, text.c_str());
    Fit();
    // The old text is not painted over by a transparent label: the window
    // below draws the place again.
    RECT place = Place();
    InvalidateRect(GetParent(hwnd), &place, TRUE);
  }
  Text TextValue() const override { return text_; }
  void Placed(int width, int height) override {
    tableWidth_ = width;
    tableHeight_ = height;
    Fit();
  }
  HBRUSH Colors(HDC dc) override {
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
  }

 private:
  RECT Place() const {
    RECT place{};
    GetWindowRect(hwnd, &place);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&place), 2);
    return place;
  }
  void Fit() {
    RECT needed{0, 0, 0, 0};
    if (HDC dc = GetDC(hwnd)) {
      HGDIOBJ old = SelectObject(dc, DialogFont());
      DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &needed,
                DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
      SelectObject(dc, old);
      ReleaseDC(hwnd, dc);
    }
    SetWindowPos(hwnd, nullptr, 0, 0, std::max(tableWidth_, static_cast<int>(needed.right) + 2),
                 std::max(tableHeight_, static_cast<int>(needed.bottom)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  Text text_;
  int tableWidth_ = 0;
  int tableHeight_ = 0;
};

// The largest square that fits, taken from the closest size of the icon.
class PictureBoxWindow : public ControlWindow {
 public:
  PictureBoxWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, "STATIC", SS_OWNERDRAW, 0, parent, place, id);
  }
  ~PictureBoxWindow() override {
    if (icon_) DestroyIcon(icon_);
  }
  void SetTextValue(const Text& name) override { SetPicture(name); }
  Text TextValue() const override { return name_; }

  void SetPicture(const Text& name) {
    if (icon_) DestroyIcon(icon_);
    RECT client{};
    GetClientRect(hwnd, &client);
    const int side = std::min(client.right, client.bottom);
    icon_ = LoadPicture(name, side);
    name_ = icon_ ? name : Text();
    InvalidateRect(hwnd, nullptr, TRUE);
  }

  void DrawItem(const DRAWITEMSTRUCT& item) override {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (!icon_) return;
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    const int side = std::min(width, height);
    DrawIconEx(item.hDC, item.rcItem.left + (width - side) / 2,
               item.rcItem.top + (height - side) / 2, icon_, side, side, 0, nullptr, DI_NORMAL);
  }

 private:
  HICON icon_ = nullptr;
  Text name_;
};

class ShapeWindow : public ControlWindow {
 public:
  ShapeWindow(HWND parent, const RECT& place, int id) {
    const bool across = place.right - place.left >= place.bottom - place.top;
    MakeChild(this, "STATIC", across ? SS_ETCHEDHORZ : SS_ETCHEDVERT, 0, parent, place, id);
  }
};

}  // namespace

std::unique_ptr<ControlWindow> NewLabelWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<LabelWindow>(parent, place, id);
}
std::unique_ptr<ControlWindow> NewPictureBoxWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<PictureBoxWindow>(parent, place, id);
}
std::unique_ptr<ControlWindow> NewShapeWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<ShapeWindow>(parent, place, id);
}

}  // namespace win32

void PictureBox::SetPicture(const Text& resourceName) {
  win32::WithWidget<win32::PictureBoxWindow>(
      core_, [&](win32::PictureBoxWindow& p) { p.SetPicture(resourceName); });
}

Text PictureBox::Picture() const {
  return win32::WithWidget<win32::PictureBoxWindow>(
      core_, Text(), [](win32::PictureBoxWindow& p) { return p.TextValue(); });
}

}  // namespace gui
