#pragma once
// Child processes whose output is read through a pipe, in the steps of the
// Windows services: create a pipe, start a command line with its output on
// the pipe's write end, close the program's copy of that end, read until
// every writer is gone, close everything.

#include <chrono>
#include <cstdint>

#include "text/Text.h"

namespace os {

// An open pipe end, or kNoHandle. Wide enough for any system's handle; -1 is
// no descriptor on Linux and the invalid handle value on Windows.
using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// Creates a pipe. Neither end reaches any child unless it is given to
// StartProcess as that child's output, so a capture never waits for a child
// that another capture started at the same time.
bool CreatePipe(Handle& readEnd, Handle& writeEnd);

// A started child; id 0 means none. Where the system gives handles to the
// process object and to the group of processes it starts, `process` and
// `group` hold them.
struct ChildProcess {
  int id = 0;
  Handle process = kNoHandle;
  Handle group = kNoHandle;
};

// Starts the command line with standard output and standard error on
// `output` (kNoHandle: nowhere); standard input stays the program's own. The
// line is split at spaces and tabs into arguments, without quoting rules. A
// bare program name (no "/" or "\") is looked up first in the program's
// directory, then on PATH. The child inherits no other descriptor. False,
// with nothing printed, when the program cannot be found or started.
bool StartProcess(const Text& commandLine, Handle output, ChildProcess& child);

// Blocks until data arrives, then reads at most maxBytes into buffer. False
// when every write end is closed, or on error; bytesRead is then 0.
bool ReadPipe(Handle readEnd, char* buffer, int maxBytes, int& bytesRead);

using Deadline = std::chrono::steady_clock::time_point;
// The same, but gives up at `deadline`: then false with timedOut set.
bool ReadPipe(Handle readEnd, char* buffer, int maxBytes, int& bytesRead, Deadline deadline,
              bool& timedOut);

// Ends the child and everything it started in its process group. Something
// that left the group may still hold the pipe: after this, stop reading.
void EndProcess(const ChildProcess& child);

// Releases the child without waiting: it is reaped now if it has ended,
// otherwise in the background as soon as it ends, so no zombie stays.
void CloseProcess(ChildProcess& child);

// Closes the handle and sets it to kNoHandle; kNoHandle is left alone.
void CloseHandle(Handle& handle);

// Starts the command line (split and looked up as above) as a separate
// program in a session of its own, holding no descriptor of this program
// (standard input, output and error on /dev/null), and does not wait for it
// to end. Returns once the program runs (true) or could not be started.
bool StartDetached(const Text& commandLine);

}  // namespace os
