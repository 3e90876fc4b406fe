#pragma once
// The address range of the LAN search: the proposed start and end, the step
// from one IPv4 address text to the next, and the list of addresses to probe.

#include <vector>

#include "text/Text.h"

// The text up to and including its last "."; empty without a ".".
Text NetworkPrefix(const Text& address);
// The number after the last "." (of the whole text when it holds no ".").
int LastOctet(const Text& address);
// NetworkPrefix followed by LastOctet, left-padded with zeros to three digits.
Text PadLastOctet(const Text& address);

struct ProposedRange {
  Text start;
  Text end;
};
// The first and last host address of the local address's /24 network.
ProposedRange ProposeRange(const Text& localAddress);

// The following address, with carries from the last part to the first; the
// first part is never wrapped. A text of fewer than four parts cannot be
// stepped and is given back unchanged.
Text NextAddress(const Text& address);

struct AddressList {
  std::vector<Text> addresses;
  bool accepted = false;  // a search may run with it (three or more entries)
};
// From start up to the first address whose last part reaches the end's last
// part; only the end's last part counts.
AddressList GenerateAddressList(const Text& start, const Text& end);
