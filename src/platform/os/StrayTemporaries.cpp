#include "platform/os/StrayTemporaries.h"

#include "platform/os/WholeFile.h"
#include "text/Text.h"

namespace os {
namespace {

// Where the file name begins. A Windows path may hold GBK characters whose
// trail byte is a backslash, so "\\" is searched by character; "/" never
// occurs inside a character.
size_t FileNameStart(const std::string& path) {
  int backslash = findLast(path, "\\");  // 1-based, -1 when none
  size_t slash = path.rfind('/');
  size_t start = backslash > 0 ? static_cast<size_t>(backslash) : 0;
  if (slash != std::string::npos && slash + 1 > start) start = slash + 1;
  return start;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

int TemporaryWriterOf(const std::string& name, const std::string& fileName) {
  const std::string start = fileName + ".";
  const std::string end = ".tmp";
  if (fileName.empty() || name.size() < start.size() + end.size() ||
      name.compare(0, start.size(), start) != 0 || !EndsWith(name, end)) {
    return 0;
  }
  size_t at = start.size();
  long long id = 0;
  size_t digits = 0;
  for (; at < name.size() && name[at] >= '0' && name[at] <= '9' && digits < 10; ++at, ++digits) {
    id = id * 10 + (name[at] - '0');
  }
  if (digits == 0 || id <= 0 || id > 0x7FFFFFFF) return 0;
  // The id is followed by a separator, then the rest of the name.
  if (at >= name.size() - end.size() || (name[at] != '.' && name[at] != '-')) return 0;
  return static_cast<int>(id);
}

void RemoveStrayTemporaries(const std::string& path) {
  size_t start = FileNameStart(path);
  std::string prefix = path.substr(0, start);
  std::string fileName = path.substr(start);
  std::string directory = prefix.empty() ? std::string(".") : prefix;
  for (const std::string& name : DirectoryEntries(directory)) {
    int writer = TemporaryWriterOf(name, fileName);
    if (writer != 0 && !ProcessIsRunning(writer)) RemoveWholeFile(prefix + name);
  }
}

}  // namespace os
