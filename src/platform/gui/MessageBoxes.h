#pragma once
// Message boxes: the test hook and the calls of Gui.h work the same way for
// every toolkit; each toolkit shows the box itself (AskOnGui).

#include <functional>

#include "platform/gui/Gui.h"

namespace gui {

// The hook SetMessageHook set last; empty when there is none.
std::function<bool(const MessageRecord&)> CurrentMessageHook();

// Each toolkit: shows the box on the GUI thread while the caller waits, or
// lets the hook answer there instead. True for Yes, and for a plain message.
bool AskOnGui(const MessageRecord& record, const Window* owner);

}  // namespace gui
