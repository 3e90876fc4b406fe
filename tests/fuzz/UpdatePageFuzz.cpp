// The body of the update page, as the update check reads it.
#include "FuzzInput.h"
#include "update/UpdatePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Text body = fuzz::Whole(data, size);
  if (std::optional<Text> version = OfferedVersion(body)) UpdateQuestion(*version);
  UpdatePageAddress(body);
  return 0;
}
