#pragma once
// Pictures compiled into the program as icon resources (Resources.rc).

#include <windows.h>

#include "text/Text.h"

namespace gui::win32 {

// The application's own icon at the given size (shared; never destroyed).
HICON ApplicationIcon(int size);
// True when the resources hold a picture of that name ("app-icon", "toolbar-3").
bool HasPicture(const Text& name);
// The picture at size x size; null when there is none. The caller destroys it.
HICON LoadPicture(const Text& name, int size);

}  // namespace gui::win32
