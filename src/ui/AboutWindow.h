#pragma once
// The About window "关于我们": product, scope and version, web address and
// the notice on the software's use.

#include "platform/gui/Gui.h"

// The About window while it is open (GUI thread only).
extern gui::Window aboutWindow;

// Builds the window with its handlers.
gui::Window NewAboutWindow();

// " 关 于 ": the window, modal over the main window. Returns once it is closed.
void OpenAboutWindow();
