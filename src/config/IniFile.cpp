#include "config/IniFile.h"

#include <vector>

#include "platform/os/Profile.h"

namespace {

// The platform reads a value into a 255-byte buffer: at most 254 bytes and
// the terminator. A character is never cut in half.
constexpr int kValueLimit = 254;

Text CutToLimit(const Text& value) {
  if (length(value) <= kValueLimit) return value;
  int end = 0;
  while (end < kValueLimit) {
    int step = CharacterLength(value, end + 1);
    if (end + step > kValueLimit) break;
    end += step;
  }
  return left(value, end);
}

// Each non-empty name followed by "\r\n", then the last "\r\n" removed.
Text JoinNames(const std::vector<Text>& names) {
  Text result;
  for (const Text& name : names) {
    if (!name.empty()) result += name + "\r\n";
  }
  if (!result.empty()) result = left(result, length(result) - 2);
  return result;
}

}  // namespace

void IniFile::Release() {
  filePath_.clear();
}

std::unique_ptr<IniFile> IniFile::Clone() const {
  return std::make_unique<IniFile>(*this);
}

void IniFile::SetFilePath(const Text& path) {
  filePath_ = path;
}

bool IniFile::WriteValue(const Text& section, const Text& key, const Text& value,
                         const std::optional<Text>& file) {
  return os::ProfileWriteString(section, key, value, PathFor(file));
}

Text IniFile::ReadText(const Text& section, const Text& key, const Text& defaultText,
                       const std::optional<Text>& file) {
  Text value = os::ProfileReadString(section, key, PathFor(file)).value_or(defaultText);
  return TrimBlanks(CutToLimit(value));
}

int IniFile::ReadInt(const Text& section, const Text& key, int defaultValue,
                     const std::optional<Text>& file) {
  return os::ProfileReadInt(section, key, defaultValue, PathFor(file));
}

bool IniFile::DeleteSection(const Text& section, const std::optional<Text>& file) {
  return os::ProfileDeleteSection(section, PathFor(file));
}

bool IniFile::DeleteKey(const Text& section, const Text& key, const std::optional<Text>& file) {
  return os::ProfileDeleteKey(section, key, PathFor(file));
}

Text IniFile::SectionNames(const std::optional<Text>& file) {
  return JoinNames(os::ProfileSectionNames(PathFor(file)));
}

Text IniFile::KeyNames(const Text& section, const std::optional<Text>& file) {
  return JoinNames(os::ProfileKeyNames(section, PathFor(file)));
}

Text IniFile::FilePath() const {
  return filePath_;
}

const Text& IniFile::PathFor(const std::optional<Text>& file) const {
  return file ? *file : filePath_;
}
