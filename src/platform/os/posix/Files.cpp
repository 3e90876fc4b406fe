#include "platform/os/Files.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace os {

Text ExecutableDirectory() {
  std::string exe(4096, '\0');
  ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size());
  if (n <= 0 || static_cast<size_t>(n) >= exe.size()) return Text();
  exe.resize(static_cast<size_t>(n));
  size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return Text();
  // A program in "/" gives the empty text, so that "" + "\x" is still "/x".
  return exe.substr(0, slash);
}

// Linux names never hold a 0x5C byte inside a multi-byte character (they are
// UTF-8 in practice), so every backslash byte is a separator.
std::string NativePath(const Text& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

bool FileExists(const Text& path) {
  struct stat info;
  return stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool RemoveFile(const Text& path) {
  return unlink(NativePath(path).c_str()) == 0;
}

bool RenameFile(const Text& from, const Text& to) {
  // Like a Windows move, an existing target is never replaced.
  std::string source = NativePath(from);
  std::string target = NativePath(to);
  if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the no-replace flag: check first, then move.
  struct stat info;
  if (lstat(target.c_str(), &info) == 0) return false;
  return rename(source.c_str(), target.c_str()) == 0;
}

}  // namespace os
