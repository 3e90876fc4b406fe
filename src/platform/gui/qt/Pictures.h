#pragma once
// Pictures compiled into the program (icons/ and Icons.qrc).

#include <QIcon>

#include "text/Text.h"

namespace gui::qt {

// The application's own icon, in all its sizes.
QIcon ApplicationIcon();
// A picture by resource name ("app-icon", "toolbar-3"); null when there is none.
QIcon Picture(const Text& name);

}  // namespace gui::qt
