// A ColumnSpec text. No crash, no hang, no undefined behaviour; the parts are
// cut by character, so a GBK character may hold a ";" byte in its title.
#include "FuzzInput.h"
#include "grid/ColumnSpec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParseColumnSpec(fuzz::Whole(data, size));
  return 0;
}
