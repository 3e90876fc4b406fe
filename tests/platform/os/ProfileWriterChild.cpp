// The writer the profile test kills on Windows: writes a new host key and the
// speed key in turn to the file named by argv[1], and after each pair reports
// the pair's number (4 bytes) on standard output.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdio>
#include <string>

#include "platform/os/Profile.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // the numbers are bytes, not text
#endif
  const std::string path = argv[1];
  for (int i = 1;; ++i) {
    std::string value = "10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256);
    if (!os::ProfileWriteString("list", "host" + std::to_string(i), value, path) ||
        !os::ProfileWriteString("config", "speed", std::to_string(i), path))
      return 1;
    if (std::fwrite(&i, sizeof i, 1, stdout) != 1 || std::fflush(stdout) != 0) return 1;
  }
}
