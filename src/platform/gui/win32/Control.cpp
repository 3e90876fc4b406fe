// What every control offers: validity, name, enabled state, focus, text.
#include <windows.h>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/Cores.h"

namespace gui {

detail::ControlCore::~ControlCore() = default;

using win32::ControlWindow;
using win32::WithWidget;

bool Control::IsValid() const {
  return WithWidget<ControlWindow>(core_, false, [](ControlWindow&) { return true; });
}

Text Control::Name() const {
  return core_ ? core_->name : Text();
}

void Control::SetEnabled(bool enabled) {
  WithWidget<ControlWindow>(core_, [&](ControlWindow& w) { EnableWindow(w.hwnd, enabled); });
}

bool Control::IsEnabled() const {
  return WithWidget<ControlWindow>(core_, false,
                                   [](ControlWindow& w) { return IsWindowEnabled(w.hwnd) != 0; });
}

// The focus is the window's focus control, and the window is brought to the
// user, as setting the focus does on Windows.
void Control::SetFocus() {
  WithWidget<ControlWindow>(core_, [](ControlWindow& w) {
    HWND top = GetAncestor(w.hwnd, GA_ROOT);
    if (top && GetActiveWindow() != top) SetActiveWindow(top);
    ::SetFocus(w.hwnd);
  });
}

bool Control::HasFocus() const {
  return WithWidget<ControlWindow>(core_, false, [](ControlWindow& w) {
    HWND focus = GetFocus();
    return focus && (focus == w.hwnd || IsChild(w.hwnd, focus));
  });
}

void Control::SetText(const Text& text) {
  WithWidget<ControlWindow>(core_, [&](ControlWindow& w) { w.SetTextValue(text); });
}

Text Control::GetText() const {
  return WithWidget<ControlWindow>(core_, Text(), [](ControlWindow& w) { return w.TextValue(); });
}

}  // namespace gui
