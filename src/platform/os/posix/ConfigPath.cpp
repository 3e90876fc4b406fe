#include "platform/os/ConfigPath.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/os/Files.h"
#include "platform/os/posix/ConfigPlaces.h"

namespace os {
namespace {

bool IsAbsolute(const Text& path) {
  return !path.empty() && path.front() == '/';
}

Text Environment(const char* name) {
  const char* value = getenv(name);
  return value ? Text(value) : Text();
}

// $HOME, or the home folder of the account when it is unset.
Text HomeFolder() {
  Text home = Environment("HOME");
  if (IsAbsolute(home)) return home;
  struct passwd entry;
  struct passwd* found = nullptr;
  char buffer[4096];
  if (getpwuid_r(geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
      IsAbsolute(found->pw_dir)) {
    return found->pw_dir;
  }
  return Text();
}

// The file is replaced through a new file beside it, so the directory itself
// must take new entries.
bool CanMakeFilesIn(const Text& directory) {
  std::string native = directory.empty() ? std::string("/") : NativePath(directory);
  return faccessat(AT_FDCWD, native.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

Text WithoutTrailingSlashes(Text path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

Text ChooseConfigFilePath(const ConfigPlaces& places) {
  Text besideProgram = places.programDirectory + "\\config.ini";
  if (places.programDirectoryWritable) return besideProgram;
  Text configHome = places.configHome;
  if (!IsAbsolute(configHome)) {
    if (!IsAbsolute(places.home)) return besideProgram;
    configHome = WithoutTrailingSlashes(places.home) + "/.config";
  }
  return WithoutTrailingSlashes(configHome) + "/korvello\\config.ini";
}

Text ConfigFilePath() {
  Text directory = ProgramDirectory();
  return ChooseConfigFilePath(
      {directory, CanMakeFilesIn(directory), Environment("XDG_CONFIG_HOME"), HomeFolder()});
}

}  // namespace os
