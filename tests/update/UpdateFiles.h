#pragma once
// Files of a test program directory: update.ini, a stand-in updater that
// records its command line, and reading a file back.

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline void WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteUpdateIni(const std::string& directory, const std::string& base) {
  WriteFile(directory + "/update.ini", "[config]\r\nuplist=" + base + "\r\n");
}

// Where the stand-in updater leaves its arguments, one per line, $0 first.
inline std::string UpdaterRecordPath(const std::string& directory) {
  return directory + "/updater-command-line.txt";
}

inline void WriteStandInUpdater(const std::string& directory) {
  const std::string path = directory + "/updata.exe";
#ifdef _WIN32
  // A program of ours (StandInUpdater.cpp), built beside the tests.
  std::filesystem::copy_file(KV_STAND_IN_UPDATER, path,
                             std::filesystem::copy_options::overwrite_existing);
#else
  WriteFile(path,
            "#!/bin/sh\n"
            "record=\"$(dirname \"$0\")/updater-command-line.txt\"\n"
            "printf '%s\\n' \"$0\" \"$@\" > \"$record.part\" && mv \"$record.part\" \"$record\"\n");
  chmod(path.c_str(), 0755);
#endif
}
