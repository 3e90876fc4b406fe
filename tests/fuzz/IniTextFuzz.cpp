// The INI text rules as a round trip: a file's text, then a write of a
// section, key and value from the input. What the rules accept must read
// back, from the text they give, as it was written; a removed key is gone.
#include <cstdlib>

#include "FuzzInput.h"
#include "platform/os/ProfileText.h"

namespace {

Text Trimmed(const Text& t) {
  auto white = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
  size_t begin = 0;
  size_t end = t.size();
  while (begin < end && white(t[begin])) ++begin;
  while (end > begin && white(t[end - 1])) --end;
  return t.substr(begin, end - begin);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A fixture alone is the file; a written entry follows after zero bytes.
  std::vector<Text> parts = fuzz::Parts(data, size, 4);
  const Text& section = parts[1].empty() ? Text("list") : parts[1];
  const Text& key = parts[2].empty() ? Text("别名") : parts[2];
  const Text& value = parts[3];

  os::ProfileText text(parts[0]);
  if (os::ProfileText(text.Content()).Content() != parts[0]) std::abort();  // lines kept
  text.SectionNames();
  text.KeyNames(section);
  if (!text.SetValue(section, key, value)) return 0;

  os::ProfileText reread(text.Content());
  std::optional<Text> got = reread.Value(section, key);
  if (!got || *got != Trimmed(value)) std::abort();

  reread.RemoveKey(section, key);
  if (os::ProfileText(reread.Content()).Value(section, key)) std::abort();
  reread.RemoveSection(section);
  return 0;
}
