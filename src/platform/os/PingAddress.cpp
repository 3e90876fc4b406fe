// The network services' ping: one echo over the ICMP service of the system.
#include "platform/os/IcmpEcho.h"
#include "platform/os/Network.h"

namespace os {

int PingAddress(const Text& address, int timeoutMs) {
  in_addr target;
  if (!ResolveIPv4(address, &target)) return -1;
  IcmpSocket icmp;
  if (!icmp.IsOpen()) return -1;
  EchoResult result = icmp.Echo(target, 0, timeoutMs);
  switch (result.status) {
    case EchoStatus::Reply:
    case EchoStatus::Unreachable:
    case EchoStatus::TimeExceeded:
      return static_cast<int>(result.roundTrip.count() / 1000);
    default:
      return -1;
  }
}

}  // namespace os
