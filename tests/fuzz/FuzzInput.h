#pragma once
// Splitting one fuzz input into the texts a harness needs.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/Text.h"

namespace fuzz {

inline Text Whole(const uint8_t* data, size_t size) {
  return Text(reinterpret_cast<const char*>(data), size);
}

// The input cut at its zero bytes into at most `count` parts; missing parts
// are empty. The last part keeps any further zero bytes.
inline std::vector<Text> Parts(const uint8_t* data, size_t size, size_t count) {
  std::vector<Text> parts;
  Text input = Whole(data, size);
  size_t start = 0;
  while (parts.size() + 1 < count) {
    size_t zero = input.find('\0', start);
    if (zero == Text::npos) break;
    parts.push_back(input.substr(start, zero - start));
    start = zero + 1;
  }
  parts.push_back(start <= input.size() ? input.substr(start) : Text());
  parts.resize(count);
  return parts;
}

}  // namespace fuzz
