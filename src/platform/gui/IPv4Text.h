// How the IPv4 box takes an address that is set and how it writes the one it
// holds: the same rules for every toolkit.
#pragma once

#include <array>
#include <optional>

#include "text/Text.h"

namespace gui {

using IPv4Address = std::array<int, 4>;

// Four numbers of 0..255 separated by "."; blanks around a number and leading
// zeros are fine. Nothing for any other text.
std::optional<IPv4Address> ParseIPv4Address(const Text& text);

// The dotted form, numbers without leading zeros.
Text IPv4AddressText(const IPv4Address& address);

}  // namespace gui
