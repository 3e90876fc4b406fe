#include "platform/os/Profile.h"

#include <climits>
#include <functional>

#include "platform/os/Files.h"
#include "platform/os/ProfileText.h"
#include "platform/os/StrayTemporaries.h"
#include "platform/os/WholeFile.h"

namespace os {
namespace {

ProfileText Load(const Text& file) {
  Text content;
  ReadWholeFile(NativePath(file), content);  // a file that cannot be read reads as empty
  return ProfileText(content);
}

// Reads the file, applies the change and writes the result back when it
// differs. A file that exists but cannot be read is never overwritten.
bool Edit(const Text& file, const std::function<bool(ProfileText&)>& change) {
  std::string path = NativePath(file);
  Text old;
  FileRead read = ReadWholeFile(path, old);
  if (read == FileRead::Failed) return false;
  ProfileText text(old);
  if (!change(text)) return false;
  Text updated = text.Content();
  if (updated == old) return true;  // nothing to write; a missing file stays missing
  // Temporary files of earlier writers that were killed go now.
  RemoveStrayTemporaries(path);
  return ReplaceWholeFile(path, updated);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool ProfileWriteString(const Text& section, const Text& key, const Text& value, const Text& file) {
  return Edit(file, [&](ProfileText& text) { return text.SetValue(section, key, value); });
}

bool ProfileDeleteKey(const Text& section, const Text& key, const Text& file) {
  return Edit(file, [&](ProfileText& text) {
    text.RemoveKey(section, key);
    return true;
  });
}

bool ProfileDeleteSection(const Text& section, const Text& file) {
  return Edit(file, [&](ProfileText& text) {
    text.RemoveSection(section);
    return true;
  });
}

std::optional<Text> ProfileReadString(const Text& section, const Text& key, const Text& file) {
  return Load(file).Value(section, key);
}

int ProfileReadInt(const Text& section, const Text& key, int defaultValue, const Text& file) {
  std::optional<Text> value = Load(file).Value(section, key);
  if (!value || value->empty()) return defaultValue;
  size_t i = 0;
  bool negative = false;
  if ((*value)[0] == '+' || (*value)[0] == '-') {
    negative = (*value)[0] == '-';
    ++i;
  }
  long long number = 0;
  for (; i < value->size() && IsDigit((*value)[i]); ++i) {
    number = number * 10 + ((*value)[i] - '0');
    if (number > static_cast<long long>(INT_MAX) + 1) number = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) return static_cast<int>(-number);
  return number > INT_MAX ? INT_MAX : static_cast<int>(number);
}

std::vector<Text> ProfileSectionNames(const Text& file) {
  return Load(file).SectionNames();
}

std::vector<Text> ProfileKeyNames(const Text& section, const Text& file) {
  return Load(file).KeyNames(section);
}

}  // namespace os
