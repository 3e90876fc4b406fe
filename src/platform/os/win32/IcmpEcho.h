#pragma once
// One ICMP echo at a time over the system's ICMP service, for the network
// services and the console ping program. IPv4 only.

#include <winsock2.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace os {

enum class EchoStatus {
  Reply,         // echo reply from the target
  Unreachable,   // destination unreachable about our echo
  TimeExceeded,  // time to live exceeded about our echo
  TimedOut,      // nothing within the time-out
  SendFailed,    // the echo could not be sent (no route, bad address)
};

struct EchoResult {
  EchoStatus status = EchoStatus::TimedOut;
  in_addr from{};  // the target for a reply, else the sender of the error
  int icmpCode = 0;
  int ttl = -1;       // of the packet that answered, -1 when unknown
  int dataBytes = 0;  // payload bytes of the reply
  std::chrono::microseconds roundTrip{0};
};

class IcmpSocket {
 public:
  IcmpSocket();
  ~IcmpSocket();
  IcmpSocket(const IcmpSocket&) = delete;
  IcmpSocket& operator=(const IcmpSocket&) = delete;

  bool IsOpen() const { return handle_ != nullptr; }
  // EACCES when the system refused the ICMP service, else another errno.
  int OpenError() const { return openError_; }

  // Sends one echo request with payloadBytes of data and waits up to
  // timeoutMs for the reply or an ICMP error about it.
  EchoResult Echo(in_addr target, int payloadBytes, int timeoutMs);

 private:
  void* handle_ = nullptr;
  int openError_ = 0;
};

// A dotted IPv4 address or a host name resolved to its first IPv4 address.
// isLiteral tells which of the two it was. Starts the socket library once.
bool ResolveIPv4(const std::string& host, in_addr* out, bool* isLiteral = nullptr);

// Starts the socket library once for the whole program; false if it cannot.
bool StartSockets();

}  // namespace os
