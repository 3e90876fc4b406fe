#pragma once
// Where config.ini lives. The main window binds the configuration file to
// this path once, so every reader and writer of the settings agrees on it.

#include "text/Text.h"

namespace os {

// The program's directory followed by "\config.ini" when that directory can
// be written: the portable use. Where it cannot (an installed program), Linux
// keeps the file in the user's settings folder instead:
// $XDG_CONFIG_HOME/korvello/config.ini, by default ~/.config/korvello/config.ini.
// That folder is made at the first write, not here. Windows always keeps the
// file beside the program.
Text ConfigFilePath();

}  // namespace os
