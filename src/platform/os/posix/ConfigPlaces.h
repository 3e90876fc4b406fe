#pragma once
// The Linux rule behind os::ConfigFilePath, apart from the file system and
// the environment so that it can be tried case by case.

#include "text/Text.h"

namespace os {

struct ConfigPlaces {
  Text programDirectory;          // without a trailing separator
  bool programDirectoryWritable;  // new files can be made there
  Text configHome;                // $XDG_CONFIG_HOME, empty when unset
  Text home;                      // the user's home folder, empty when unknown
};

// Beside the program when it can be written; otherwise
// configHome/korvello/config.ini, where a configHome that is empty or not
// absolute stands for home/.config. Without a usable folder it stays beside
// the program (writes then fail, and nothing else breaks).
Text ChooseConfigFilePath(const ConfigPlaces& places);

}  // namespace os
