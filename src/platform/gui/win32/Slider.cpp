// The slider keeps a position value apart from its thumb: the program may
// store a value outside the range, while the thumb always stands inside it.
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

constexpr int kLargest = 32767;

int Stored(int value) {
  return std::clamp(value, 0, kLargest);
}

class SliderWindow : public ControlWindow {
 public:
  SliderWindow(HWND parent, const RECT& place, int id) {
    MakeChild(this, TRACKBAR_CLASSA, WS_TABSTOP | TBS_HORZ | TBS_NOTICKS | TBS_BOTH, 0, parent,
              place, id);
    SetLimits(0, 100);
    Subclass();
  }

  // The keys move the thumb here, so that each one is told also when the
  // thumb is already at the end it goes to.
  bool Message(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
    if (message == WM_KEYDOWN && KeyMove(static_cast<int>(wParam))) {
      result = 0;
      return true;
    }
    if (message == WM_KEYUP && KeyCode(static_cast<int>(wParam)) >= 0) {
      Scrolled(TB_ENDTRACK);
      result = 0;
      return true;
    }
    return false;
  }

  // The scroll code of a key; -1 for a key that moves nothing.
  static int KeyCode(int key) {
    switch (key) {
      case VK_HOME:
        return TB_TOP;
      case VK_END:
        return TB_BOTTOM;
      case VK_LEFT:
      case VK_UP:
        return TB_LINEUP;
      case VK_RIGHT:
      case VK_DOWN:
        return TB_LINEDOWN;
      case VK_PRIOR:
        return TB_PAGEUP;
      case VK_NEXT:
        return TB_PAGEDOWN;
      default:
        return -1;
    }
  }

  bool KeyMove(int key) {
    const int code = KeyCode(key);
    if (code < 0) return false;
    const int line = static_cast<int>(SendMessageA(hwnd, TBM_GETLINESIZE, 0, 0));
    const int page = static_cast<int>(SendMessageA(hwnd, TBM_GETPAGESIZE, 0, 0));
    int place = Thumb();
    switch (code) {
      case TB_TOP:
        place = RangeMin();
        break;
      case TB_BOTTOM:
        place = RangeMax();
        break;
      case TB_LINEUP:
        place -= line;
        break;
      case TB_LINEDOWN:
        place += line;
        break;
      case TB_PAGEUP:
        place -= page;
        break;
      default:
        place += page;
        break;
    }
    SendMessageA(hwnd, TBM_SETPOS, TRUE, std::clamp(place, RangeMin(), RangeMax()));
    Scrolled(code);
    return true;
  }

  // Every scroll notification but the end of a move stores the thumb's
  // place and raises the event, also when the thumb stays where it was
  // (Home at the minimum stores the minimum).
  void Scrolled(int code) override {
    if (code == TB_ENDTRACK) return;
    position_ = Thumb();
    Raise(core, &ControlCore::onEvent);
  }

  void SetLimits(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    SendMessageA(hwnd, TBM_SETRANGEMIN, FALSE, minimum_);
    SendMessageA(hwnd, TBM_SETRANGEMAX, TRUE, std::max(minimum_, maximum_));
  }

  void SetPositionValue(int value) {
    position_ = Stored(value);
    SendMessageA(hwnd, TBM_SETPOS, TRUE, std::clamp(position_, RangeMin(), RangeMax()));
  }

  int Thumb() const { return static_cast<int>(SendMessageA(hwnd, TBM_GETPOS, 0, 0)); }
  int RangeMin() const { return static_cast<int>(SendMessageA(hwnd, TBM_GETRANGEMIN, 0, 0)); }
  int RangeMax() const { return static_cast<int>(SendMessageA(hwnd, TBM_GETRANGEMAX, 0, 0)); }

  int minimum_ = 0;
  int maximum_ = 0;
  int position_ = 0;
};

}  // namespace

std::unique_ptr<ControlWindow> NewSliderWindow(HWND parent, const RECT& place, int id) {
  return std::make_unique<SliderWindow>(parent, place, id);
}

}  // namespace win32

using win32::SliderWindow;
using win32::WithWidget;

void Slider::SetRange(int minimum, int maximum) {
  WithWidget<SliderWindow>(core_, [&](SliderWindow& s) { s.SetLimits(minimum, maximum); });
}

void Slider::SetMaximum(int maximum) {
  WithWidget<SliderWindow>(
      core_, [&](SliderWindow& s) { s.SetLimits(s.minimum_, win32::Stored(maximum)); });
}

int Slider::Minimum() const {
  return WithWidget<SliderWindow>(core_, 0, [](SliderWindow& s) { return s.minimum_; });
}

int Slider::Maximum() const {
  return WithWidget<SliderWindow>(core_, 0, [](SliderWindow& s) { return s.maximum_; });
}

void Slider::SetSteps(int pageStep, int lineStep) {
  WithWidget<SliderWindow>(core_, [&](SliderWindow& s) {
    SendMessageA(s.hwnd, TBM_SETPAGESIZE, 0, pageStep);
    SendMessageA(s.hwnd, TBM_SETLINESIZE, 0, lineStep);
  });
}

int Slider::PageStep() const {
  return WithWidget<SliderWindow>(core_, 0, [](SliderWindow& s) {
    return static_cast<int>(SendMessageA(s.hwnd, TBM_GETPAGESIZE, 0, 0));
  });
}

int Slider::LineStep() const {
  return WithWidget<SliderWindow>(core_, 0, [](SliderWindow& s) {
    return static_cast<int>(SendMessageA(s.hwnd, TBM_GETLINESIZE, 0, 0));
  });
}

void Slider::SetPosition(int value) {
  WithWidget<SliderWindow>(core_, [&](SliderWindow& s) { s.SetPositionValue(value); });
}

int Slider::Position() const {
  return WithWidget<SliderWindow>(core_, 0, [](SliderWindow& s) { return s.position_; });
}

int Slider::ThumbPosition() const {
  return WithWidget<SliderWindow>(core_, 0, [](SliderWindow& s) { return s.Thumb(); });
}

void Slider::OnPositionChanged(std::function<void()> handler) {
  win32::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

// The thumb goes where the user can put it: inside the range. A drag takes
// the thumb (one notification), moves it when the place differs (another
// one), lets it go (another one) and ends.
void Slider::UserMoveThumb(int value) {
  WithWidget<SliderWindow>(core_, [&](SliderWindow& s) {
    const int place = std::clamp(value, s.RangeMin(), s.RangeMax());
    s.Scrolled(TB_THUMBTRACK);
    if (place != s.Thumb()) {
      SendMessageA(s.hwnd, TBM_SETPOS, TRUE, place);
      s.Scrolled(TB_THUMBTRACK);
    }
    s.Scrolled(TB_THUMBPOSITION);
    s.Scrolled(TB_ENDTRACK);
  });
}

void Slider::UserClickThumb() {
  WithWidget<SliderWindow>(core_, [](SliderWindow& s) {
    s.Scrolled(TB_THUMBTRACK);
    s.Scrolled(TB_THUMBPOSITION);
    s.Scrolled(TB_ENDTRACK);
  });
}

void Slider::UserPressKey(int keyCode) {
  WithWidget<SliderWindow>(core_, [&](SliderWindow& s) {
    SendMessageA(s.hwnd, WM_KEYDOWN, static_cast<WPARAM>(keyCode), 1);
    if (IsWindow(s.hwnd)) SendMessageA(s.hwnd, WM_KEYUP, static_cast<WPARAM>(keyCode), 0xC0000001);
  });
}

}  // namespace gui
