// The IPv4 address box: one box showing a dotted address, which it keeps
// normalised.
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "platform/gui/Gui.h"
#include "platform/gui/IPv4Text.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"

namespace gui {
namespace qt {
namespace {

class IPv4BoxWidget : public QLineEdit, public ControlWidget {
 public:
  explicit IPv4BoxWidget(QWidget* parent) : QLineEdit(parent) {
    // Typing allows up to four numbers of 0..255 separated by ".".
    static const QRegularExpression pattern(
        QStringLiteral("((25[0-5]|2[0-4][0-9]|1?[0-9]?[0-9])?\\.){0,3}"
                       "(25[0-5]|2[0-4][0-9]|1?[0-9]?[0-9])?"));
    setValidator(new QRegularExpressionValidator(pattern, this));
    setAlignment(Qt::AlignCenter);
  }

  void SetTextValue(const Text& text) override {
    auto address = ParseIPv4Address(text);
    setText(address ? ToQString(IPv4AddressText(*address)) : QString());
  }

  // As typed: a blank box reads empty; blank numbers read as 0.
  Text TextValue() const override {
    const QString shown = text().trimmed();
    if (shown.isEmpty()) return {};
    const QStringList parts = shown.split(QLatin1Char('.'));
    IPv4Address address{};
    for (int i = 0; i < 4 && i < parts.size(); ++i) address[i] = std::min(parts[i].toInt(), 255);
    return IPv4AddressText(address);
  }
};

}  // namespace

QWidget* NewIPv4BoxWidget(QWidget* parent) {
  return new IPv4BoxWidget(parent);
}

}  // namespace qt

using qt::IPv4BoxWidget;
using qt::WithWidget;

void IPv4Box::SetAddress(const Text& address) {
  WithWidget<IPv4BoxWidget>(core_, [&](IPv4BoxWidget& b) { b.SetTextValue(address); });
}

Text IPv4Box::Address() const {
  return WithWidget<IPv4BoxWidget>(core_, Text(), [](IPv4BoxWidget& b) { return b.TextValue(); });
}

}  // namespace gui
