#pragma once
// The network operations of the LAN search, behind an interface so that a
// test can give the workers a scripted network. Every operation may be
// called from any thread.

#include "text/Text.h"

class NetworkProbes {
 public:
  virtual ~NetworkProbes() = default;
  // One ICMP echo: the round trip in milliseconds, or -1 without an answer.
  virtual int PingAddress(const Text& address, int timeoutMs) = 0;
  // The reverse name of a dotted address; empty when none is found.
  virtual Text lookupHostName(const Text& address) = 0;
  // "00-1A-2B-3C-4D-5E", only for an address with a reverse name; else empty.
  virtual Text RemoteMacAddress(const Text& address) = 0;
  // This machine's first IPv4 address; empty when there is none.
  virtual Text LocalAddress() = 0;
};

// The probes the search uses: the system's, unless a test has set others.
NetworkProbes& Probes();

// Tests: a scripted network of their own; nullptr gives the system's back.
void SetProbesForTesting(NetworkProbes* probes);
