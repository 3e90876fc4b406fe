// What every control offers: validity, name, enabled state, focus, text.
#include <QWidget>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/Cores.h"

namespace gui {

using qt::WithWidget;

bool Control::IsValid() const {
  return WithWidget<QWidget>(core_, false, [](QWidget&) { return true; });
}

Text Control::Name() const {
  return core_ ? core_->name : Text();
}

void Control::SetEnabled(bool enabled) {
  WithWidget<QWidget>(core_, [&](QWidget& w) { w.setEnabled(enabled); });
}

bool Control::IsEnabled() const {
  return WithWidget<QWidget>(core_, false, [](QWidget& w) { return w.isEnabled(); });
}

// The focus is the window's focus control, and the window is brought to the
// user, as setting the focus does on Windows.
void Control::SetFocus() {
  WithWidget<QWidget>(core_, [](QWidget& w) {
    w.window()->activateWindow();
    w.setFocus(Qt::OtherFocusReason);
  });
}

bool Control::HasFocus() const {
  return WithWidget<QWidget>(core_, false, [](QWidget& w) {
    QWidget* focus = w.window()->focusWidget();
    return focus && (focus == &w || w.isAncestorOf(focus));
  });
}

void Control::SetText(const Text& text) {
  WithWidget<qt::ControlWidget>(core_, [&](qt::ControlWidget& w) { w.SetTextValue(text); });
}

Text Control::GetText() const {
  return WithWidget<qt::ControlWidget>(core_, Text(),
                                       [](qt::ControlWidget& w) { return w.TextValue(); });
}

}  // namespace gui
