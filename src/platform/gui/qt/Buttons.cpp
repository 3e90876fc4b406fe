// The push button and the check box.
#include <QCheckBox>
#include <QPushButton>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"

namespace gui {
namespace qt {
namespace {

// Captions are shown as written: "&" is no mnemonic marker here.
QString Caption(const Text& text) {
  return ToQString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}
Text CaptionText(const QString& caption) {
  return ToText(QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
}

class ButtonWidget : public QPushButton, public ControlWidget {
 public:
  explicit ButtonWidget(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    QObject::connect(this, &QPushButton::clicked, this,
                     [this] { Raise(core, &ControlCore::onEvent); });
  }
  void SetTextValue(const Text& text) override { setText(Caption(text)); }
  Text TextValue() const override { return CaptionText(text()); }
};

class CheckBoxWidget : public QCheckBox, public ControlWidget {
 public:
  explicit CheckBoxWidget(QWidget* parent) : QCheckBox(parent) {}
  void SetTextValue(const Text& text) override { setText(Caption(text)); }
  Text TextValue() const override { return CaptionText(text()); }
};

}  // namespace

QWidget* NewButtonWidget(QWidget* parent) {
  return new ButtonWidget(parent);
}
QWidget* NewCheckBoxWidget(QWidget* parent) {
  return new CheckBoxWidget(parent);
}

}  // namespace qt

using qt::ButtonWidget;
using qt::CheckBoxWidget;
using qt::WithWidget;

void CheckBox::SetChecked(bool checked) {
  WithWidget<CheckBoxWidget>(core_, [&](CheckBoxWidget& c) { c.setChecked(checked); });
}

bool CheckBox::IsChecked() const {
  return WithWidget<CheckBoxWidget>(core_, false, [](CheckBoxWidget& c) { return c.isChecked(); });
}

void CheckBox::UserToggle() {
  WithWidget<CheckBoxWidget>(core_, [](CheckBoxWidget& c) { c.click(); });
}

void Button::OnClicked(std::function<void()> handler) {
  qt::SetHandler(core_, &detail::ControlCore::onEvent, std::move(handler));
}

void Button::UserClick() {
  WithWidget<ButtonWidget>(core_, [](ButtonWidget& b) {
    if (b.isEnabled()) b.click();
  });
}

}  // namespace gui
