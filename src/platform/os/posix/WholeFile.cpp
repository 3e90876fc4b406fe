#include "platform/os/WholeFile.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <random>

namespace os {
namespace {

bool WriteAll(int fd, const std::string& content) {
  size_t done = 0;
  while (done < content.size()) {
    ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// A symbolic link is followed, so that the file it names is replaced and the
// link stays.
std::string ResolveLink(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// Creates a new file beside `target`, with the permissions the target has (or
// that a new file gets), and returns its descriptor and name.
int CreateSibling(const std::string& target, std::string& name) {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + "." + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(random() % 100000) + ".tmp";
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      struct stat info;
      if (stat(target.c_str(), &info) == 0) fchmod(fd, info.st_mode & 07777);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

// Makes the folders missing on the way to `path`, private to the user, as
// settings folders are. Stops at the first one that cannot be made.
void MakeMissingFoldersFor(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return;
  }
}

void FlushDirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string directory =
      slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
  int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

FileRead ReadWholeFile(const std::string& path, std::string& content) {
  content.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? FileRead::Missing : FileRead::Failed;
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      content.clear();
      return FileRead::Failed;
    }
    if (n == 0) break;
    content.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return FileRead::Read;
}

bool ReplaceWholeFile(const std::string& path, const std::string& content) {
  if (path.empty()) return false;
  std::string target = ResolveLink(path);
  std::string temporary;
  int fd = CreateSibling(target, temporary);
  if (fd < 0 && errno == ENOENT) {
    // The first write into a settings folder that does not exist yet.
    MakeMissingFoldersFor(target);
    fd = CreateSibling(target, temporary);
  }
  if (fd < 0) return false;
  bool written = WriteAll(fd, content) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  FlushDirectoryOf(target);
  return true;
}

FileStamp StampOf(const std::string& path) {
  constexpr long long kSecond = 1000000000LL;
  // File times come from the kernel's coarse clock (a tick of at most 10 ms);
  // a tenth of a second is well beyond it.
  constexpr long long kTimeResolution = kSecond / 10;
  struct stat info;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  if (stat(path.c_str(), &info) != 0) return {};
  FileStamp stamp;
  stamp.exists = true;
  stamp.size = static_cast<long long>(info.st_size);
  stamp.modified = static_cast<long long>(info.st_mtim.tv_sec) * kSecond + info.st_mtim.tv_nsec;
  stamp.id = static_cast<long long>(info.st_ino);
  long long nowNs = static_cast<long long>(now.tv_sec) * kSecond + now.tv_nsec;
  stamp.settled = nowNs - stamp.modified > kTimeResolution;
  return stamp;
}

std::vector<std::string> DirectoryEntries(const std::string& directory) {
  std::vector<std::string> names;
  DIR* dir = opendir(directory.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  return names;
}

bool ProcessIsRunning(int processId) {
  // EPERM: it exists, under another user.
  return processId > 0 && (kill(processId, 0) == 0 || errno == EPERM);
}

bool RemoveWholeFile(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

}  // namespace os
