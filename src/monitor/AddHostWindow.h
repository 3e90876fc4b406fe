#pragma once
// The add-host window: adds a host to the host table and, when asked,
// saves it under an alias in config.ini. It stays open after each addition.

#include "platform/gui/Gui.h"
#include "text/Text.h"

// Builds the window with its handlers; it opens with "保存为常用" unchecked
// and the focus in the host box.
gui::Window MakeAddHostWindow();

// Opens the window modally over the main window; returns when it is closed.
void OpenAddHostWindow();

// Whether some data row of the host table holds the host in column 2 or 3.
bool HostExists(const Text& host);

void SaveHost(const Text& alias, const Text& host);
