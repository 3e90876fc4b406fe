#include "platform/os/Process.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/os/Files.h"

extern char** environ;

namespace os {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The words of the command line with where each ends.
struct Word {
  std::string text;
  size_t end;
};

std::vector<Word> SplitWords(const Text& commandLine) {
  std::vector<Word> words;
  size_t i = 0;
  while (i < commandLine.size()) {
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    size_t start = i;
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
    if (i > start) words.push_back({commandLine.substr(start, i - start), i});
  }
  return words;
}

bool IsExecutableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// A bare name: the program's own directory first, then PATH, as Windows
// searches.
std::string FindBareProgram(const std::string& name) {
  std::string candidate = NativePath(ExecutableDirectory()) + "/" + name;
  if (IsExecutableFile(candidate)) return candidate;
  const char* path = getenv("PATH");
  std::string directories = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  for (;;) {
    size_t colon = directories.find(':', start);
    std::string directory = directories.substr(start, colon - start);
    candidate = (directory.empty() ? std::string(".") : directory) + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    if (colon == std::string::npos) return std::string();
    start = colon + 1;
  }
}

// The program to run and its arguments (the first one names the program).
// A name with a directory part is a path. As on Windows, when that path is
// not a program, longer runs of words are tried in turn, so that a program
// directory with a blank in its name still works.
bool ResolveCommand(const Text& commandLine, std::string& program,
                    std::vector<std::string>& arguments) {
  std::vector<Word> words = SplitWords(commandLine);
  if (words.empty()) return false;
  size_t used = 1;
  program = NativePath(words[0].text);
  if (program.find('/') == std::string::npos) {
    arguments = {program};
    program = FindBareProgram(program);
    if (program.empty()) return false;
  } else {
    size_t start = words[0].end - words[0].text.size();
    for (size_t n = 1; n <= words.size(); ++n) {
      std::string path = NativePath(commandLine.substr(start, words[n - 1].end - start));
      if (IsExecutableFile(path)) {
        program = path;
        used = n;
        break;
      }
    }
    arguments = {program};
  }
  for (size_t i = used; i < words.size(); ++i) arguments.push_back(words[i].text);
  return true;
}

// Moves a descriptor above the standard ones, so that placing it on 1 or 2 in
// a child always clears its close-on-exec flag.
int AboveStandard(int fd) {
  if (fd > 2) return fd;
  int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  close(fd);
  return moved;
}

void ReapInBackground(pid_t id) {
  try {
    std::thread([id] {
      while (waitpid(id, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the child stays a zombie until the program ends.
  }
}

// Spawns with the given descriptor set-up. The child gets the default signal
// handling and mask whatever this program changed; every descriptor above 2
// is closed. glibc's posix_spawn returns only once the exec has succeeded or
// failed, so the result tells whether the program runs.
pid_t Spawn(const Text& commandLine, posix_spawn_file_actions_t& actions, short flags) {
  std::string program;
  std::vector<std::string> arguments;
  if (!ResolveCommand(commandLine, program, arguments)) return 0;
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  sigfillset(&signals);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(
      &attributes, static_cast<short>(flags | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
  pid_t id = 0;
  int error = posix_spawn(&id, program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  return error == 0 ? id : 0;
}

}  // namespace

bool CreatePipe(Handle& readEnd, Handle& writeEnd) {
  int ends[2];
  readEnd = writeEnd = kNoHandle;
  if (pipe2(ends, O_CLOEXEC) != 0) return false;
  readEnd = AboveStandard(ends[0]);
  writeEnd = AboveStandard(ends[1]);
  if (readEnd >= 0 && writeEnd >= 0) return true;
  CloseHandle(readEnd);
  CloseHandle(writeEnd);
  return false;
}

bool StartProcess(const Text& commandLine, Handle output, ChildProcess& child) {
  child.id = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output != kNoHandle) {
    posix_spawn_file_actions_adddup2(&actions, static_cast<int>(output), 1);
    posix_spawn_file_actions_adddup2(&actions, static_cast<int>(output), 2);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
  }
  // Its own process group, so that EndProcess reaches what it starts.
  child.id = Spawn(commandLine, actions, POSIX_SPAWN_SETPGROUP);
  posix_spawn_file_actions_destroy(&actions);
  return child.id != 0;
}

bool ReadPipe(Handle readEnd, char* buffer, int maxBytes, int& bytesRead) {
  bytesRead = 0;
  if (readEnd == kNoHandle || maxBytes <= 0) return false;
  for (;;) {
    ssize_t n = read(static_cast<int>(readEnd), buffer, static_cast<size_t>(maxBytes));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytesRead = static_cast<int>(n);
    return true;
  }
}

bool ReadPipe(Handle readEnd, char* buffer, int maxBytes, int& bytesRead, Deadline deadline,
              bool& timedOut) {
  bytesRead = 0;
  timedOut = false;
  if (readEnd == kNoHandle || maxBytes <= 0) return false;
  for (;;) {
    auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      return false;
    }
    pollfd waiting{static_cast<int>(readEnd), POLLIN, 0};
    int ready = poll(&waiting, 1, static_cast<int>(std::min<long long>(left.count(), 60000)));
    if (ready < 0 && errno != EINTR) return false;
    if (ready > 0) return ReadPipe(readEnd, buffer, maxBytes, bytesRead);
  }
}

void EndProcess(const ChildProcess& child) {
  if (child.id <= 0) return;
  kill(-child.id, SIGKILL);
  kill(child.id, SIGKILL);
}

void CloseProcess(ChildProcess& child) {
  if (child.id <= 0) return;
  pid_t id = child.id;
  child.id = 0;
  pid_t reaped;
  do {
    reaped = waitpid(id, nullptr, WNOHANG);
  } while (reaped < 0 && errno == EINTR);
  if (reaped == 0) ReapInBackground(id);
}

void CloseHandle(Handle& handle) {
  if (handle == kNoHandle) return;
  close(static_cast<int>(handle));
  handle = kNoHandle;
}

bool StartDetached(const Text& commandLine) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t id = Spawn(commandLine, actions, POSIX_SPAWN_SETSID);
  posix_spawn_file_actions_destroy(&actions);
  if (id == 0) return false;
  // Nobody waits for it; it is reaped when it ends so that no zombie stays.
  ReapInBackground(id);
  return true;
}

}  // namespace os
