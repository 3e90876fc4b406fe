#pragma once
// A small file read and written as a whole, in native paths. Each system
// implements it (posix/, win32/); the profile service above it is shared.

#include <string>
#include <vector>

namespace os {

enum class FileRead { Read, Missing, Failed };

// Missing: no file of that name (the content is then empty). Failed: it
// exists but could not be read.
FileRead ReadWholeFile(const std::string& path, std::string& content);

// Replaces the file's content atomically: a new file beside it is written and
// flushed to disk, then renamed over the old one, and the directory is
// flushed too. After a crash at any moment the file holds either the old or
// the new content. On failure the old file is untouched and nothing is left
// behind.
bool ReplaceWholeFile(const std::string& path, const std::string& content);

// What tells a changed file apart from the one read before: its size, its
// modification time and, where the system has one, its identity.
struct FileStamp {
  bool exists = false;
  long long size = 0;
  long long modified = 0;  // in the system's finest unit
  long long id = 0;        // the inode on Linux; 0 where there is none
  // The file was last changed longer ago than the resolution of its time,
  // so any further change shows in the stamp. A file changed within the
  // same tick of the file system's clock may keep its size and time.
  bool settled = false;
};
inline bool SameFile(const FileStamp& a, const FileStamp& b) {
  return a.exists && b.exists && a.size == b.size && a.modified == b.modified && a.id == b.id;
}
FileStamp StampOf(const std::string& path);

// The names of a directory's entries, without "." and ".."; empty when it
// cannot be read.
std::vector<std::string> DirectoryEntries(const std::string& directory);

// True while a process of that id exists.
bool ProcessIsRunning(int processId);

// Removes the file; false when it could not.
bool RemoveWholeFile(const std::string& path);

}  // namespace os
