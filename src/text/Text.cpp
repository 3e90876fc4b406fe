#include "text/Text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

const Text kFullWidthSpace = "\xA1\xA1";

// Length in bytes of the character that starts at byte index i.
size_t CharLength(const Text& t, size_t i) {
  return (static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size()) ? 2 : 1;
}

bool MatchesAt(const Text& t, size_t i, const Text& m) {
  return t.compare(i, m.size(), m) == 0;
}

// Full-width digits, signs, points and spaces become their ASCII forms.
Text FoldFullWidth(const Text& t) {
  Text out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size();) {
    size_t n = CharLength(t, i);
    unsigned char b0 = t[i];
    unsigned char b1 = n == 2 ? t[i + 1] : 0;
    if (n == 2 && b0 == 0xA3 && b1 >= 0xB0 && b1 <= 0xB9) {
      out += static_cast<char>('0' + (b1 - 0xB0));
    } else if (n == 2 && b0 == 0xA3 && b1 == 0xAB) {
      out += '+';
    } else if (n == 2 && b0 == 0xA3 && b1 == 0xAD) {
      out += '-';
    } else if (n == 2 && b0 == 0xA3 && b1 == 0xAE) {
      out += '.';
    } else if (n == 2 && b0 == 0xA1 && b1 == 0xA1) {
      out += ' ';
    } else {
      out.append(t, i, n);
    }
    i += n;
  }
  return out;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The span of the leading decimal number of an already folded text.
// Returns the index where the number starts and its length (0 when none).
std::pair<size_t, size_t> LeadingNumber(const Text& t, bool allowFraction) {
  size_t i = 0;
  while (i < t.size() && IsSpace(t[i])) ++i;
  size_t start = i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t digits = 0;
  while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  if (allowFraction && i < t.size() && t[i] == '.') {
    size_t j = i + 1;
    size_t fraction = 0;
    while (j < t.size() && IsDigit(t[j])) ++j, ++fraction;
    if (digits + fraction > 0) {
      i = j;
      digits += fraction;
    }
  }
  if (digits == 0) return {start, 0};
  if (allowFraction && i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    if (j < t.size() && IsDigit(t[j])) {
      while (j < t.size() && IsDigit(t[j])) ++j;
      i = j;
    }
  }
  return {start, i - start};
}

}  // namespace

int CharacterLength(const Text& t, int p) {
  if (p < 1 || p > length(t)) return 0;
  return static_cast<int>(CharLength(t, static_cast<size_t>(p - 1)));
}

int find(const Text& t, const Text& m, int from) {
  if (m.empty() || from < 1) return -1;
  for (size_t i = static_cast<size_t>(from - 1); i < t.size(); i += CharLength(t, i)) {
    if (MatchesAt(t, i, m)) return static_cast<int>(i) + 1;
  }
  return -1;
}

int find(const Text& t, const Text& m) {
  return find(t, m, 1);
}

int findLast(const Text& t, const Text& m) {
  if (m.empty()) return -1;
  int last = -1;
  for (size_t i = 0; i < t.size(); i += CharLength(t, i)) {
    if (MatchesAt(t, i, m)) last = static_cast<int>(i) + 1;
  }
  return last;
}

bool contains(const Text& t, const Text& m) {
  return find(t, m) != -1;
}

Text mid(const Text& t, int p, int n) {
  if (n <= 0 || p < 1 || p > length(t)) return {};
  return t.substr(static_cast<size_t>(p - 1), static_cast<size_t>(n));
}

Text left(const Text& t, int n) {
  if (n <= 0) return {};
  return t.substr(0, static_cast<size_t>(n));
}

Text right(const Text& t, int n) {
  if (n <= 0) return {};
  if (static_cast<size_t>(n) >= t.size()) return t;
  return t.substr(t.size() - static_cast<size_t>(n));
}

int length(const Text& t) {
  return static_cast<int>(t.size());
}

Text replaceAll(const Text& t, const Text& m, const Text& replacement) {
  if (m.empty()) return t;
  Text out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size();) {
    if (MatchesAt(t, i, m)) {
      out += replacement;
      i += m.size();
    } else {
      size_t n = CharLength(t, i);
      out.append(t, i, n);
      i += n;
    }
  }
  return out;
}

Text removeAll(const Text& t, const Text& m) {
  return replaceAll(t, m, Text());
}

Text removeBlanks(const Text& t) {
  return removeAll(removeAll(t, " "), kFullWidthSpace);
}

Text TrimBlanks(const Text& t) {
  size_t begin = 0;
  size_t end = t.size();
  // Leading blanks, stepping by character.
  while (begin < end) {
    if (t[begin] == ' ') {
      begin += 1;
    } else if (MatchesAt(t, begin, kFullWidthSpace) && CharLength(t, begin) == 2) {
      begin += 2;
    } else {
      break;
    }
  }
  // Trailing blanks: find the last character that is not a blank.
  size_t lastKept = begin;
  for (size_t i = begin; i < end;) {
    size_t n = CharLength(t, i);
    bool blank = t[i] == ' ' || (n == 2 && MatchesAt(t, i, kFullWidthSpace));
    i += n;
    if (!blank) lastKept = i;
  }
  return t.substr(begin, lastKept - begin);
}

std::vector<Text> TextSplit(const Text& t, const Text& separator) {
  std::vector<Text> parts;
  if (t.empty()) return parts;
  if (separator.empty()) {
    parts.push_back(t);
    return parts;
  }
  size_t partStart = 0;
  for (size_t i = 0; i < t.size();) {
    if (MatchesAt(t, i, separator)) {
      parts.push_back(t.substr(partStart, i - partStart));
      i += separator.size();
      partStart = i;
    } else {
      i += CharLength(t, i);
    }
  }
  if (partStart < t.size()) parts.push_back(t.substr(partStart));
  return parts;
}

double TextToNumber(const Text& t) {
  Text folded = FoldFullWidth(t);
  auto [start, len] = LeadingNumber(folded, true);
  if (len == 0) return 0;
  const char* first = folded.data() + start;
  const char* last = first + len;
  bool negative = *first == '-';
  if (*first == '+' || *first == '-') ++first;
  double value = 0;
  auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) value = HUGE_VAL;
  return negative ? -value : value;
}

int TextToInteger(const Text& t) {
  Text folded = FoldFullWidth(t);
  auto [start, len] = LeadingNumber(folded, false);
  if (len == 0) return 0;
  const char* p = folded.data() + start;
  const char* last = p + len;
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  long long value = 0;
  for (; p < last; ++p) {
    value = value * 10 + (*p - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

Text IntegerToText(long long value) {
  return std::to_string(value);
}

Text NumberToText(double value) {
  if (std::isnan(value)) return "0";
  if (value == 0) return "0";  // also -0
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc()) return "0";
  return Text(buffer, result.ptr);
}
