#pragma once

#include "platform/gui/Gui.h"

// Builds the main window with its toolbar, host table and log, attaches its
// handlers and shows it (its created handler runs as part of this).
void LoadMainWindow();

// The main window's created handler: binds config.ini, logs, loads the host
// table and starts the update check.
void OnMainWindowCreated();

// Toolbar positions, separators included.
enum ToolbarPosition {
  kAddButton = 0,
  kDeleteButton = 1,
  kReloadButton = 2,
  kStartButton = 4,
  kStopButton = 5,
  kLocalInfoButton = 7,
  kLanSearchButton = 8,
  kSettingsButton = 10,
  kAboutButton = 11,
};
