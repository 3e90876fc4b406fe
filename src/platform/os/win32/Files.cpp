// Files and the program's directory over the Win32 ANSI functions; paths are
// GBK bytes and used as they stand.

#include "platform/os/Files.h"

#include <windows.h>

#include "text/Text.h"

namespace os {

Text ExecutableDirectory() {
  Text exe(32768, '\0');
  DWORD n = GetModuleFileNameA(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
  if (n == 0 || n >= exe.size()) return Text();
  exe.resize(n);
  // The last separator, stepping by character: the second byte of a GBK
  // character may have the value of "\".
  int slash = findLast(exe, "\\");
  if (slash < 1) return Text();
  return left(exe, slash - 1);
}

std::string NativePath(const Text& path) {
  return path;
}

bool FileExists(const Text& path) {
  // A wildcard would make the search match other names.
  if (path.find_first_of("*?") != Text::npos) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const Text& path) {
  return DeleteFileA(path.c_str()) != FALSE;
}

bool RenameFile(const Text& from, const Text& to) {
  // An existing target is never replaced.
  return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

}  // namespace os
