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

// The names of a directory's entries, without "." and ".."; empty when it
// cannot be read.
std::vector<std::string> DirectoryEntries(const std::string& directory);

// True while a process of that id exists.
bool ProcessIsRunning(int processId);

// Removes the file; false when it could not.
bool RemoveWholeFile(const std::string& path);

}  // namespace os
