#pragma once
// The update page: its address, and what its body offers.

#include <optional>

#include "text/Text.h"

// The program's own version.
inline constexpr int kProgramVersion = 1;

// The page of the next version: base, the next version number, "/update.html".
Text UpdatePageAddress(const Text& base);

// The version that the page body offers when it is not the program's own.
// The body counts up to its first zero byte and must begin with "$$"; every
// "$$" is removed and the rest split at "|"; the first field is the version.
std::optional<Text> OfferedVersion(const Text& body);

// The question put to the user about an offered version.
Text UpdateQuestion(const Text& version);
