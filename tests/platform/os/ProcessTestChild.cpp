// The child that the process tests start. The first argument picks what it
// does; it writes with plain system calls so that the order of its output is
// the order of its writes.
#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <unistd.h>
#endif
#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <string>

namespace {

#ifdef _WIN32
void Write(int fd, const std::string& text) {
  HANDLE out = GetStdHandle(fd == 2 ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void usleep(unsigned microseconds) {
  Sleep(microseconds / 1000);
}

// Whether the handle of that number is open in this process: a handle the
// parent did not mean for it is open here only if it was inherited.
std::string HandleState(const char* number) {
  DWORD flags = 0;
  HANDLE h = reinterpret_cast<HANDLE>(static_cast<intptr_t>(_strtoi64(number, nullptr, 10)));
  return GetHandleInformation(h, &flags) ? "open" : "closed";
}
#else
void Write(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

// The open descriptors, as "0 1 2".
std::string OpenDescriptors() {
  std::string list;
  DIR* dir = opendir("/proc/self/fd");
  if (!dir) return "?";
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.' || atoi(entry->d_name) == dirfd(dir)) continue;
    list += (list.empty() ? "" : " ") + std::string(entry->d_name);
  }
  closedir(dir);
  return list;
}

std::string Target(int fd) {
  char link[256] = {};
  std::string path = "/proc/self/fd/" + std::to_string(fd);
  return readlink(path.c_str(), link, sizeof link - 1) > 0 ? link : "";
}
#endif

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "out") {
    // argv[2] bytes of a counting pattern, in writes of 1000 bytes.
    int total = atoi(argv[2]);
    std::string chunk;
    for (int i = 0; i < total; ++i) {
      chunk += static_cast<char>('a' + i % 26);
      if (chunk.size() == 1000 || i == total - 1) {
        Write(1, chunk);
        chunk.clear();
        usleep(2000);
      }
    }
  } else if (mode == "mixed") {
    Write(1, "out1\n");
    Write(2, "err1\n");
    Write(1, "out2\n");
  } else if (mode == "args") {
    for (int i = 2; i < argc; ++i) Write(1, std::string("[") + argv[i] + "]");
  } else if (mode == "where") {
    Write(1, "program-directory");
#ifdef _WIN32
  } else if (mode == "handle" && argc > 2) {
    Write(1, HandleState(argv[2]));
  } else if (mode == "sleep") {
    Write(1, "started");
    for (;;) Sleep(1000);
  } else if (mode == "grandchild") {
    // Leaves a child behind that holds the output open.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string line = std::string(argv[0]) + " sleep";
    PROCESS_INFORMATION grandchild{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &grandchild))
      return 1;
    Write(1, "parent-done " + std::to_string(grandchild.dwProcessId));
  } else if (mode == "detached" && argc > 2) {
    std::ofstream(std::string(argv[2]) + ".part") << "started";
    MoveFileA((std::string(argv[2]) + ".part").c_str(), argv[2]);
  }
#else
  } else if (mode == "fds") {
    Write(1, OpenDescriptors());
  } else if (mode == "sleep") {
    Write(1, "started");
    for (;;) pause();
  } else if (mode == "grandchild") {
    // Leaves a child behind that holds the output open.
    pid_t grandchild = fork();
    if (grandchild == 0) {
      for (;;) pause();
    }
    Write(1, "parent-done " + std::to_string(grandchild));
  } else if (mode == "detached" && argc > 2) {
    std::string report = std::string("session=") + (getsid(0) == getpid() ? "own" : "shared") +
                         " fds=" + OpenDescriptors() + " std=" + Target(0) + "," + Target(1) + "," +
                         Target(2);
    std::ofstream(std::string(argv[2]) + ".part") << report;
    rename((std::string(argv[2]) + ".part").c_str(), argv[2]);
  }
#endif
  return 0;
}
