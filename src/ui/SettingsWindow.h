#pragma once
// The settings window "设置": the pause between monitoring passes, shown on a
// slider and in an edit box, taken over and saved at every change.

#include "platform/gui/Gui.h"

// The settings window while it is open (GUI thread only).
extern gui::Window settingsWindow;

// Builds the window with its handlers; its created handler shows the delay.
gui::Window NewSettingsWindow();

// " 设 置 ": the window, modal over the main window. Returns once it is closed.
void OpenSettingsWindow();
