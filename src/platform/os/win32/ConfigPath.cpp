#include "platform/os/ConfigPath.h"

#include "platform/os/Files.h"

namespace os {

// A Windows program keeps its settings beside itself: that is where users
// look for them and what a copied folder carries along.
Text ConfigFilePath() {
  return ProgramDirectory() + "\\config.ini";
}

}  // namespace os
