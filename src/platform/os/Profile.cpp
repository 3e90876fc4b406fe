#include "platform/os/Profile.h"

#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "platform/os/Files.h"
#include "platform/os/ProfileText.h"
#include "platform/os/StrayTemporaries.h"
#include "platform/os/WholeFile.h"

namespace os {
namespace {

// The parsed text of the files read last, kept while each file is unchanged
// (its stamp), so that a run of reads parses the file once. Every write
// through this service drops its file's entry.
class ParsedFiles {
 public:
  std::shared_ptr<const ProfileText> Get(const std::string& path) {
    FileStamp stamp = StampOf(path);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      auto known = files_.find(path);
      if (known != files_.end() && SameFile(known->second.stamp, stamp)) {
        return known->second.text;
      }
    }
    Text content;
    // A file that cannot be read reads as empty, and is not kept.
    FileRead read = ReadWholeFile(path, content);
    auto text = std::make_shared<const ProfileText>(content);
    // The stamp taken before the read: a change during the read makes the
    // next read parse again. A file changed just now may change again
    // without a new stamp, so it is kept only once it has settled.
    if (read == FileRead::Read && stamp.settled) {
      std::lock_guard<std::mutex> lock(mutex_);
      if (files_.size() >= kMostFiles) files_.clear();
      files_[path] = {stamp, text};
    }
    return text;
  }

  void Drop(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    files_.erase(path);
  }

 private:
  static constexpr size_t kMostFiles = 8;
  struct Entry {
    FileStamp stamp;
    std::shared_ptr<const ProfileText> text;
  };
  std::mutex mutex_;
  std::map<std::string, Entry> files_;
};

ParsedFiles& Parsed() {
  static ParsedFiles files;
  return files;
}

std::shared_ptr<const ProfileText> Load(const Text& file) {
  return Parsed().Get(NativePath(file));
}

// Reads the file, applies the change and writes the result back when it
// differs. A file that exists but cannot be read is never overwritten.
bool Edit(const Text& file, const std::function<bool(ProfileText&)>& change) {
  std::string path = NativePath(file);
  Parsed().Drop(path);
  Text old;
  FileRead read = ReadWholeFile(path, old);
  if (read == FileRead::Failed) return false;
  ProfileText text(old);
  if (!change(text)) return false;
  Text updated = text.Content();
  if (updated == old) return true;  // nothing to write; a missing file stays missing
  // Temporary files of earlier writers that were killed go now.
  RemoveStrayTemporaries(path);
  bool written = ReplaceWholeFile(path, updated);
  Parsed().Drop(path);
  return written;
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
  return Load(file)->Value(section, key);
}

int ProfileReadInt(const Text& section, const Text& key, int defaultValue, const Text& file) {
  std::optional<Text> value = Load(file)->Value(section, key);
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
  return Load(file)->SectionNames();
}

std::vector<Text> ProfileKeyNames(const Text& section, const Text& file) {
  return Load(file)->KeyNames(section);
}

}  // namespace os
