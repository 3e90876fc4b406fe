// Whole-file reads and atomic replacement over the Win32 file functions.
// A new content is written to "<file>.<pid>.<n>.tmp" beside the file, flushed,
// and moved over the file in one step with write-through. Also the file
// stamps, directory listing and process check the shared code asks for (the
// profile service removes the temporaries of ended writers with them).

#include "platform/os/WholeFile.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

namespace os {
namespace {

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

FileStamp StampOf(const std::string& path) {
  // A file's time may be kept in steps of up to two seconds (FAT); only a
  // file older than that is settled.
  constexpr long long kTicksPerSecond = 10000000;  // 100-ns units
  constexpr long long kTimeResolution = 2 * kTicksPerSecond;
  auto ticks = [](FILETIME t) {
    return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                  t.dwLowDateTime);
  };
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
  FileStamp stamp;
  stamp.exists = true;
  stamp.size = static_cast<long long>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                      data.nFileSizeLow);
  stamp.modified = ticks(data.ftLastWriteTime);
  // The file's identity, where it can be opened to ask.
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(file, &info))
      stamp.id = static_cast<long long>(
          (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow);
    CloseHandle(file);
  }
  stamp.settled = ticks(now) - stamp.modified > kTimeResolution;
  return stamp;
}

std::vector<std::string> DirectoryEntries(const std::string& directory) {
  std::vector<std::string> names;
  std::string pattern = directory;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += "\\";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((pattern + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool ProcessIsRunning(int processId) {
  if (processId <= 0) return false;
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
  // Refused: it exists, under another user.
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

bool RemoveWholeFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != FALSE;
}

}  // namespace os
