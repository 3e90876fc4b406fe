// The status bar: a row of sunken parts of given widths; -1 takes the rest.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <vector>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"
#include "platform/gui/win32/Metrics.h"

namespace gui {
namespace win32 {
namespace {

class StatusBarWindow : public ControlWindow {
 public:
  StatusBarWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, STATUSCLASSNAMEA, CCS_BOTTOM, 0, parent, place, id);
    SetParts({-1});
  }

  void SetParts(const std::vector<int>& widths) {
    widths_ = widths.empty() ? std::vector<int>{-1} : widths;
    std::vector<Text> texts = texts_;
    texts.resize(widths_.size());
    texts_ = texts;
    Layout();
  }

  int Count() const { return static_cast<int>(texts_.size()); }

  void SetPart(int part, const Text& text) {
    if (part < 0 || part >= Count()) return;
    texts_[part] = text;
    SendMessageA(hwnd, SB_SETTEXTA, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(texts_[part].c_str()));
  }

  Text Part(int part) const { return part >= 0 && part < Count() ? texts_[part] : Text(); }

  void SetTextValue(const Text& text) override { SetPart(0, text); }
  Text TextValue() const override { return Part(0); }

  // Docked below across the whole width; the part that takes the rest
  // follows the width.
  void ParentResized(int, int) override {
    SendMessageA(hwnd, WM_SIZE, 0, 0);
    Layout();
  }

 private:
  // The bar wants right edges; a part of -1 gets what the others leave.
  void Layout() {
    RECT bar{};
    GetClientRect(hwnd, &bar);
    int fixed = 0;
    for (int width : widths_)
      if (width >= 0) fixed += Scale(width);
    const int rest = std::max(0, static_cast<int>(bar.right) - fixed);
    std::vector<int> edges;
    int edge = 0;
    for (int width : widths_) {
      edge += width >= 0 ? Scale(width) : rest;
      edges.push_back(edge);
    }
    if (!widths_.empty() && widths_.back() < 0) edges.back() = -1;
    SendMessageA(hwnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int part = 0; part < Count(); ++part) SetPart(part, texts_[part]);
  }

  std::vector<int> widths_;
  std::vector<Text> texts_;
};

}  // namespace

std::unique_ptr<ControlWindow> NewStatusBarWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<StatusBarWindow>(parent, place, id);
}

}  // namespace win32

using win32::StatusBarWindow;
using win32::WithWidget;

void StatusBar::SetParts(const std::vector<int>& widths) {
  WithWidget<StatusBarWindow>(core_, [&](StatusBarWindow& s) { s.SetParts(widths); });
}

int StatusBar::PartCount() const {
  return WithWidget<StatusBarWindow>(core_, 0, [](StatusBarWindow& s) { return s.Count(); });
}

void StatusBar::SetPartText(int part, const Text& text) {
  WithWidget<StatusBarWindow>(core_, [&](StatusBarWindow& s) { s.SetPart(part, text); });
}

Text StatusBar::PartText(int part) const {
  return WithWidget<StatusBarWindow>(core_, Text(),
                                     [&](StatusBarWindow& s) { return s.Part(part); });
}

}  // namespace gui
