// The "ipconfig /all" report, read for an adapter whose key is a piece of
// the report itself (so that the key is usually found).
#include "FuzzInput.h"
#include "netinfo/IpconfigReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Text report = fuzz::Whole(data, size);
  // The first two bytes choose where the key starts and how long it is.
  size_t start = size > 0 ? data[0] * 8 % (size + 1) : 0;
  size_t count = size > 1 ? data[1] % 40 : 0;
  const Text key = report.substr(std::min(start, report.size()), count);
  IpconfigReport r = parseIpconfigReport(report, key);
  (void)r;
  return 0;
}
