// The IPv4 address box: one box showing a dotted address, which it keeps
// normalised.
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <array>
#include <optional>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"

namespace gui {
namespace qt {
namespace {

using Address = std::array<int, 4>;

// A decimal number of 0..255 with blanks around it; leading zeros are fine.
std::optional<int> ReadPart(const Text& part) {
  const Text digits = TrimBlanks(part);
  if (digits.empty()) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 255) return std::nullopt;
  }
  return value;
}

// Three "." at least; the fourth part is all that follows the third.
std::optional<Address> ParseAddress(const Text& text) {
  Address address{};
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    size_t end = text.size();
    if (i < 3) {
      end = text.find('.', start);
      if (end == Text::npos) return std::nullopt;
    }
    auto value = ReadPart(text.substr(start, end - start));
    if (!value) return std::nullopt;
    address[i] = *value;
    start = end + 1;
  }
  return address;
}

Text AddressText(const Address& address) {
  Text text;
  for (int i = 0; i < 4; ++i) text += (i ? "." : "") + std::to_string(address[i]);
  return text;
}

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
    auto address = ParseAddress(text);
    setText(address ? ToQString(AddressText(*address)) : QString());
  }

  // As typed: a blank box reads empty; blank numbers read as 0.
  Text TextValue() const override {
    const QString shown = text().trimmed();
    if (shown.isEmpty()) return {};
    const QStringList parts = shown.split(QLatin1Char('.'));
    Address address{};
    for (int i = 0; i < 4 && i < parts.size(); ++i) address[i] = std::min(parts[i].toInt(), 255);
    return AddressText(address);
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
