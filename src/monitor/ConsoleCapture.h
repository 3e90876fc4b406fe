#pragma once

#include <chrono>

#include "text/Text.h"

// A console child still running this long after its start is ended, and
// what it wrote so far is the result: a command that never ends must not
// hang the test cycle or a window.
inline constexpr std::chrono::seconds kCaptureTimeLimit{60};

// Runs the command line as a hidden child and returns everything it wrote to
// its standard output and standard error, bytes as written (GBK on the
// systems whose console texts are read). Empty when nothing could be read,
// for instance when the program does not exist. Blocks until the child has
// finished writing; pending window events are processed after every read.
Text runAndCapture(const Text& commandLine,
                   std::chrono::milliseconds timeLimit = kCaptureTimeLimit);
