#pragma once
// The profile (INI file) service: sections of "key=value" lines.
//
// What callers rely on:
// - Section and key names match without regard to ASCII letter case; names
//   and values are trimmed of white space (spaces, tabs) around them.
// - Values read back exactly as written (no quote stripping, no conversion:
//   the bytes are GBK).
// - A key written for the first time goes at the end of its section, a new
//   section at the end of the file; a rewritten key keeps its place.
//   Comment lines (";" or "#") and all other lines stay exactly as they were.
// - Every change replaces the file as a whole and atomically: after a crash at
//   any moment the file is either the old one or the new one. A write that
//   fails leaves the old file as it was and returns false.
// - A missing file reads as empty. Paths are taken as they stand ("\" is a
//   directory separator, see Files.h).

#include <optional>
#include <vector>

#include "text/Text.h"

namespace os {

// Writes key=value into the section, creating the file, the section or the
// key as needed. Refused (false, file untouched) when the line could not be
// read back as written: an empty name, a line break or zero byte anywhere, a
// "]" in the section name (also one that a GBK lead byte at the name's end
// would take as its second byte), a "=" in the key or a key beginning with
// "[", ";" or "#".
bool ProfileWriteString(const Text& section, const Text& key, const Text& value, const Text& file);
// Removes every line of the key; a key that is not there is no error.
bool ProfileDeleteKey(const Text& section, const Text& key, const Text& file);
// Removes the section's header and every line up to the next section.
bool ProfileDeleteSection(const Text& section, const Text& file);

// The value, or nothing when the section or key does not exist.
std::optional<Text> ProfileReadString(const Text& section, const Text& key, const Text& file);
// The value's leading integer (optional sign, then digits; limited to the
// int range); `defaultValue` when the key does not exist or its value is
// empty; 0 when the value does not begin with a number.
int ProfileReadInt(const Text& section, const Text& key, int defaultValue, const Text& file);

// Every section name / key name of the section, in file order, each once.
std::vector<Text> ProfileSectionNames(const Text& file);
std::vector<Text> ProfileKeyNames(const Text& section, const Text& file);

}  // namespace os
