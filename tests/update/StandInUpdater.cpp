// The stand-in updater of the Windows tests, copied into a test program
// directory as updata.exe: it records its arguments, one per line, the
// program as started first, in updater-command-line.txt beside itself. The
// record appears whole or not at all.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string directory = self;
  directory.erase(directory.find_last_of("\\/") + 1);
  const std::string record = directory + "updater-command-line.txt";
  const std::string part = record + ".part";
  std::FILE* out = std::fopen(part.c_str(), "wb");
  if (!out) return 1;
  for (int i = 0; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
  if (std::fclose(out) != 0) return 1;
  return MoveFileExA(part.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
