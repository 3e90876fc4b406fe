#pragma once
// Whether this process may send ICMP echoes: with root or cap_net_raw (raw
// sockets), or with a group inside net.ipv4.ping_group_range (datagram
// sockets). Tests that ping skip with the reason where it may not.

#include <string>

#ifndef _WIN32
#include "platform/os/IcmpEcho.h"
#endif

namespace test {

// Empty when ICMP echoes may be sent, else the reason for GTEST_SKIP.
inline std::string IcmpProblem() {
#ifdef _WIN32
  return {};
#else
  if (os::IcmpSocket().IsOpen()) return {};
  return "ICMP is not permitted here (needs root, cap_net_raw, or a group in "
         "net.ipv4.ping_group_range)";
#endif
}

}  // namespace test
