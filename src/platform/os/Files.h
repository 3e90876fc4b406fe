#pragma once
// Files and paths. A path is built as the program's directory followed by a
// name with a leading backslash ("\config.ini"); every function here, and the
// profile service, takes such a path as it stands.

#include <string>

#include "text/Text.h"

namespace os {

// The directory that holds the running executable, without a trailing
// separator. Empty if it cannot be found.
Text ProgramDirectory();

// Where the executable really lies, whatever a test set: bare program names
// of command lines are looked up here first.
Text ExecutableDirectory();

// Tests give each test program a program directory of its own, so that files
// such as config.ini never land beside the shared test binaries. The empty
// text restores the real directory. Call it before any other thread runs.
void SetProgramDirectoryForTesting(const Text& directory);

// The path as the file system wants it: on Linux every "\" becomes "/".
// Every service that opens a file by path goes through this one helper.
std::string NativePath(const Text& path);

// True when a file (not a directory) of that name exists.
bool FileExists(const Text& path);

// Both report success; a failure changes nothing and is harmless.
bool RemoveFile(const Text& path);
bool RenameFile(const Text& from, const Text& to);

}  // namespace os
