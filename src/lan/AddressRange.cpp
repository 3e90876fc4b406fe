#include "lan/AddressRange.h"

namespace {

// The most a range of two address-box texts can give: a start ending in .255
// followed by the whole next /24.
const size_t kMostEntries = 257;

// Reads a part of an address: leading blanks skipped, an optional sign, the
// digits; no digits read as 0.
int ReadNumber(const Text& part) {
  return TextToInteger(part);
}

Text ZeroPadded(const Text& digits, int width) {
  if (length(digits) >= width) return digits;
  return Text(static_cast<size_t>(width - length(digits)), '0') + digits;
}

bool CanStep(const Text& address) {
  return TextSplit(address, ".").size() >= 4;
}

}  // namespace

Text NetworkPrefix(const Text& address) {
  return left(address, findLast(address, "."));
}

int LastOctet(const Text& address) {
  int lastDot = findLast(address, ".");
  if (lastDot == -1) return ReadNumber(address);
  return ReadNumber(right(address, length(address) - lastDot));
}

Text PadLastOctet(const Text& address) {
  return NetworkPrefix(address) + ZeroPadded(IntegerToText(LastOctet(address)), 3);
}

ProposedRange ProposeRange(const Text& localAddress) {
  Text P = NetworkPrefix(localAddress);
  return {PadLastOctet(P + "1"), PadLastOctet(P + "254")};
}

Text NextAddress(const Text& address) {
  std::vector<Text> parts = TextSplit(address, ".");
  if (parts.size() < 4) return address;

  // Wider than an octet value, so that no part can overflow.
  long long o1 = ReadNumber(parts[0]);
  long long o2 = ReadNumber(parts[1]);
  long long o3 = ReadNumber(parts[2]);
  long long o4 = ReadNumber(parts[3]);

  o4 += 1;
  if (o4 > 255) {
    o4 = 0;
    o3 += 1;
  }
  if (o3 > 255) {
    o3 = 0;
    o2 += 1;
  }
  if (o2 > 255) {
    o2 = 0;
    o1 += 1;
  }
  return IntegerToText(o1) + "." + IntegerToText(o2) + "." + IntegerToText(o3) + "." +
         IntegerToText(o4);
}

AddressList GenerateAddressList(const Text& start, const Text& end) {
  AddressList list;
  list.addresses.push_back(start);
  // A start that cannot be stepped gives nothing to search.
  if (!CanStep(start)) return list;

  const int endOctet = LastOctet(end);
  // The entry cap only matters for texts no address box gives (a last part
  // outside 0 to 255), whose last part would never reach the end's.
  do {
    list.addresses.push_back(NextAddress(list.addresses.back()));
  } while (LastOctet(list.addresses.back()) < endOctet && list.addresses.size() < kMostEntries);

  list.accepted = list.addresses.size() > 2;
  return list;
}
