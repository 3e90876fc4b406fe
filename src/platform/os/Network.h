#pragma once
// Network services: ICMP echo, reverse name lookup, a neighbour's hardware
// address, and the local host's name and address. IPv4 only. Every function
// may be called from any thread.

#include "text/Text.h"

namespace os {

// One ICMP echo without payload. The round trip in milliseconds (0 or more),
// or -1 when nothing answered within timeoutMs, the name could not be
// resolved or ICMP is not available. A text that is not a dotted IPv4
// address is resolved as a host name first. Any answer to the echo counts:
// an echo reply, and also an ICMP error (destination unreachable, time
// exceeded) that quotes it.
int PingAddress(const Text& address, int timeoutMs = 10000);

// The official name of a dotted IPv4 address from the system's reverse
// lookup (hosts file, then DNS), at most 255 characters; empty when the text
// is not an address (or is 255.255.255.255) or nothing is found. Blocks as
// long as the lookup takes.
Text lookupHostName(const Text& address);

// The hardware address "00-1A-2B-3C-4D-5E" of a neighbour, looked up only
// when the reverse lookup of the address finds a name; for an address of
// this machine, the address of the interface that holds it. Empty on failure.
Text RemoteMacAddress(const Text& address);

// The first IPv4 address of the first interface (in interface-index order)
// that is up and not loopback; empty when there is none.
Text LocalAddress();

// The host name of this machine; empty on failure.
Text LocalHostName();

}  // namespace os
