// GenerateAddressList with a start and an end address from the input.
#include <cstdlib>

#include "FuzzInput.h"
#include "lan/AddressRange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<Text> parts = fuzz::Parts(data, size, 2);
  AddressList list = GenerateAddressList(parts[0], parts[1]);
  if (list.addresses.empty() || list.addresses.front() != parts[0]) std::abort();
  if (list.accepted != (list.addresses.size() > 2)) std::abort();
  ProposeRange(parts[0]);
  PadLastOctet(parts[1]);
  return 0;
}
