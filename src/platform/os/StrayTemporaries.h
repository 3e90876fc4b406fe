#pragma once
// Temporary files that a replace of a whole file left behind when its writer
// was killed: "<file>.<process id>.<anything>.tmp" (or "-" after the id)
// beside the file.

#include <string>

namespace os {

// The writer's process id when `name` is a temporary file of `fileName`
// (both without a directory), else 0.
int TemporaryWriterOf(const std::string& name, const std::string& fileName);

// Removes every temporary file beside `path` whose writer is gone. The
// temporary file of a write in flight, in this or another process, stays.
void RemoveStrayTemporaries(const std::string& path);

}  // namespace os
