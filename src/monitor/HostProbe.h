#pragma once
// What the test cycle asks of the network: one ping of a host and the
// reverse lookup of an address. Both block; a test replaces them with a
// scripted probe.

#include <memory>

#include "monitor/PingReply.h"
#include "text/Text.h"

class HostProbe {
 public:
  virtual ~HostProbe() = default;
  virtual PingReply Ping(const Text& target) = 0;
  virtual Text LookUpName(const Text& address) = 0;
};

// pingOnce and the system's reverse lookup.
std::shared_ptr<HostProbe> SystemHostProbe();
