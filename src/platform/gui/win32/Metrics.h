#pragma once
// The screen's scale and the font every window uses.

#include <windows.h>

namespace gui::win32 {

// Control tables are written for 96 dots per inch; Scale gives the pixels
// for the screen's DPI, so that windows are as big at 150 % as at 100 %.
int ScreenDpi();
int Scale(int tablePixels);

// The Chinese system's dialog font, made once on the GUI thread.
HFONT DialogFont();
void DeleteDialogFont();

}  // namespace gui::win32
