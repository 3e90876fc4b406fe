// The text rules, with a text and a second text (a pattern or separator)
// from the input, and positions from its first bytes.
#include <cstdlib>

#include "FuzzInput.h"
#include "text/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<Text> parts = fuzz::Parts(data, size, 2);
  const Text& t = parts[0];
  const Text& m = parts[1];
  const int p = size > 0 ? static_cast<int8_t>(data[0]) : 0;
  const int n = size > 1 ? static_cast<int8_t>(data[1]) : 0;

  for (int at = 1; at <= length(t); at += CharacterLength(t, at)) {
    if (CharacterLength(t, at) < 1) std::abort();
  }
  int found = find(t, m);
  if (found > length(t) + 1) std::abort();
  find(t, m, p);
  findLast(t, m);
  contains(t, m);
  if (length(mid(t, p, n)) > length(t)) std::abort();
  if (length(left(t, n)) > length(t) || length(right(t, n)) > length(t)) std::abort();
  removeAll(t, m);
  replaceAll(t, m, t);
  removeBlanks(t);
  TrimBlanks(t);
  TextSplit(t, m);
  TextToInteger(t);
  NumberToText(TextToNumber(t));
  IntegerToText(TextToInteger(m));
  return 0;
}
