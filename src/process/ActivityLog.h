#pragma once

#include "text/Text.h"

// Puts "[ HH:MM:SS ] message" at the top of the main window's log list.
// Callable from any thread: the line goes in on the GUI thread while the
// caller waits.
void LogMessage(const Text& message);

// The line LogMessage writes for a message at the given time of day.
Text LogLine(const Text& timeOfDay, const Text& message);
