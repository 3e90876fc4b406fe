#include "platform/gui/IPv4Text.h"

#include <string>

namespace gui {
namespace {

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

}  // namespace

// Three "." at least; the fourth part is all that follows the third.
std::optional<IPv4Address> ParseIPv4Address(const Text& text) {
  IPv4Address address{};
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

Text IPv4AddressText(const IPv4Address& address) {
  Text text;
  for (int i = 0; i < 4; ++i) text += (i ? "." : "") + std::to_string(address[i]);
  return text;
}

}  // namespace gui
