// Whole-file reads and atomic replacement over the Win32 file functions.
// A new content is written to "<file>.<pid>.<n>.tmp" beside the file, flushed,
// and moved over the file in one step with write-through.

#include "platform/os/WholeFile.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "text/Text.h"

namespace os {
namespace {

// The directory part of a path with its trailing separator ("" for none).
std::string DirectoryPart(const std::string& path) {
  int backslash = findLast(path, "\\");  // by character: GBK trail bytes
  size_t slash = path.rfind('/');
  size_t end = backslash > 0 ? static_cast<size_t>(backslash) : 0;
  if (slash != std::string::npos && slash + 1 > end) end = slash + 1;
  return path.substr(0, end);
}

bool WriterIsGone(DWORD processId) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
  bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

// A temporary file of an earlier write whose writer died before moving it
// into place would stay for ever; the next write removes it. Temporaries of
// writers still running are left alone.
void RemoveStrayTemporaries(const std::string& path) {
  std::string pattern = path + ".*.tmp";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::string directory = DirectoryPart(path);
  size_t baseLength = path.size() - directory.size();
  do {
    std::string name = found.cFileName;
    // "<file>." then the writer's id, ".", a number and ".tmp".
    if (name.size() <= baseLength + 1) continue;
    const char* id = name.c_str() + baseLength + 1;
    char* end = nullptr;
    unsigned long writer = std::strtoul(id, &end, 10);
    if (end == id || *end != '.') continue;
    char* numberEnd = nullptr;
    std::strtoul(end + 1, &numberEnd, 10);
    if (numberEnd == end + 1 || std::string(numberEnd) != ".tmp") continue;
    if (writer == GetCurrentProcessId() || !WriterIsGone(writer)) continue;
    DeleteFileA((directory + name).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

HANDLE CreateSibling(const std::string& target, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + "." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(counter++) +
           ".tmp";
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const std::string& content) {
  size_t done = 0;
  while (done < content.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

}  // namespace

FileRead ReadWholeFile(const std::string& path, std::string& content) {
  content.clear();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::Missing
                                                                          : FileRead::Failed;
  }
  char buffer[65536];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
      CloseHandle(file);
      content.clear();
      return FileRead::Failed;
    }
    if (n == 0) break;
    content.append(buffer, n);
  }
  CloseHandle(file);
  return FileRead::Read;
}

bool ReplaceWholeFile(const std::string& path, const std::string& content) {
  if (path.empty()) return false;
  RemoveStrayTemporaries(path);
  std::string temporary;
  HANDLE file = CreateSibling(path, temporary);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = WriteAll(file, content) && FlushFileBuffers(file);
  written = CloseHandle(file) && written;
  if (!written || !MoveFileExA(temporary.c_str(), path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace os
