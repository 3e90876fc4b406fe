#include "platform/os/StrayTemporaries.h"

#include "platform/os/WholeFile.h"

namespace os {
namespace {

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
  size_t slash = path.find_last_of("/\\");
  std::string directory = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
  std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string prefix = slash == std::string::npos ? std::string() : directory;
  for (const std::string& name : DirectoryEntries(directory)) {
    int writer = TemporaryWriterOf(name, fileName);
    if (writer != 0 && !ProcessIsRunning(writer)) RemoveWholeFile(prefix + name);
  }
}

}  // namespace os
