// The progress bar: a position out of a maximum, drawn without text.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"

namespace gui {
namespace win32 {
namespace {

class ProgressBarWindow : public ControlWindow {
 public:
  ProgressBarWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, PROGRESS_CLASSA, 0, 0, parent, place, id);
    Show();
  }

  // The position stays within 0..maximum. A maximum of 0 is an empty bar.
  void Show() {
    position_ = std::clamp(position_, 0, std::max(maximum_, 0));
    SendMessageA(hwnd, PBM_SETRANGE32, 0, std::max(maximum_, 1));
    SendMessageA(hwnd, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
  }

  int maximum_ = 100;
  int position_ = 0;
};

}  // namespace

std::unique_ptr<ControlWindow> NewProgressBarWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<ProgressBarWindow>(parent, place, id);
}

}  // namespace win32

using win32::ProgressBarWindow;
using win32::WithWidget;

void ProgressBar::SetMaximum(int maximum) {
  WithWidget<ProgressBarWindow>(core_, [&](ProgressBarWindow& p) {
    p.maximum_ = std::max(maximum, 0);
    p.Show();
  });
}

int ProgressBar::Maximum() const {
  return WithWidget<ProgressBarWindow>(core_, 0, [](ProgressBarWindow& p) { return p.maximum_; });
}

void ProgressBar::SetPosition(int position) {
  WithWidget<ProgressBarWindow>(core_, [&](ProgressBarWindow& p) {
    p.position_ = position;
    p.Show();
  });
}

int ProgressBar::Position() const {
  return WithWidget<ProgressBarWindow>(core_, 0, [](ProgressBarWindow& p) { return p.position_; });
}

}  // namespace gui
