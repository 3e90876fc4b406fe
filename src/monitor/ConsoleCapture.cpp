#include "monitor/ConsoleCapture.h"

#include <vector>

#include "platform/gui/Gui.h"
#include "platform/os/Process.h"

namespace {

const int kBufferBytes = 4096;
const int kReadBytes = 4095;  // the last byte of the buffer stays zero

}  // namespace

Text runAndCapture(const Text& commandLine, std::chrono::milliseconds timeLimit) {
  // 1. The pipe whose write end becomes the child's output.
  os::Handle readEnd = os::kNoHandle;
  os::Handle writeEnd = os::kNoHandle;
  os::CreatePipe(readEnd, writeEnd);

  // 2.–4. Start the child with standard output and standard error on the
  // write end. A child that does not start simply writes nothing.
  os::ChildProcess child;
  os::StartProcess(commandLine, writeEnd, child);
  const os::Deadline deadline = std::chrono::steady_clock::now() + timeLimit;

  // 5. From now on only the child holds a write end, so the read end fails
  // exactly when the child has finished writing.
  os::CloseHandle(writeEnd);

  // 6. Read until the first failed read.
  Text result;
  for (;;) {
    std::vector<char> buffer(kBufferBytes, '\0');
    int bytesRead = 0;
    bool timedOut = false;
    bool ok = readEnd != os::kNoHandle &&
              os::ReadPipe(readEnd, buffer.data(), kReadBytes, bytesRead, deadline, timedOut);
    // The chunk ends at its first zero byte; the count of the read is not used.
    result += Text(buffer.data());
    gui::ProcessPendingEvents();
    if (!ok) {
      if (timedOut) os::EndProcess(child);
      break;
    }
  }

  // 7.–8. The child's end of data is the end of the command; nothing waits for
  // its exit. Release every handle.
  os::CloseHandle(readEnd);
  os::CloseProcess(child);
  return result;
}
