// The program's directory: where the executable lies, unless a test gave one
// of its own.
#include "platform/os/Files.h"

namespace os {

namespace {
Text programDirectoryForTesting;
}  // namespace

void SetProgramDirectoryForTesting(const Text& directory) {
  programDirectoryForTesting = directory;
}

Text ProgramDirectory() {
  if (!programDirectoryForTesting.empty()) return programDirectoryForTesting;
  return ExecutableDirectory();
}

}  // namespace os
