#pragma once
// What a test may ask of the toolkit beyond Gui.h, answered by each
// toolkit's own test file.

#include "platform/gui/Gui.h"

namespace gui::test {

// True when the window is shown on the screen now.
bool IsOnScreen(const Window& window);

}  // namespace gui::test
