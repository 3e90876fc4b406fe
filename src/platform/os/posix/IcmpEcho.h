#pragma once
// One ICMP echo at a time over a socket of its own, for the network services
// and the console ping program. IPv4 only.

#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace os {

enum class IcmpMode {
  Any,       // a datagram socket, or a raw one when datagram sockets are refused
  Datagram,  // SOCK_DGRAM / IPPROTO_ICMP (needs net.ipv4.ping_group_range)
  Raw,       // SOCK_RAW / IPPROTO_ICMP (needs root or CAP_NET_RAW)
};

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
  explicit IcmpSocket(IcmpMode mode = IcmpMode::Any);
  ~IcmpSocket();
  IcmpSocket(const IcmpSocket&) = delete;
  IcmpSocket& operator=(const IcmpSocket&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  bool IsRaw() const { return raw_; }
  // errno of the failed open (EACCES / EPERM when ICMP is not permitted).
  int OpenError() const { return openError_; }

  // Sends one echo request with payloadBytes of data and waits up to
  // timeoutMs for the reply or an ICMP error that quotes this request.
  // Replies to other requests (other sockets, earlier sequence numbers)
  // are skipped.
  EchoResult Echo(in_addr target, int payloadBytes, int timeoutMs);

 private:
  int fd_ = -1;
  bool raw_ = false;
  int openError_ = 0;
  uint16_t id_ = 0;   // raw sockets only: the kernel sets it on datagram sockets
  uint16_t seq_ = 0;  // last sequence number sent
};

// A dotted IPv4 address (inet_aton rules) or a host name resolved to its
// first IPv4 address. isLiteral tells which of the two it was.
bool ResolveIPv4(const std::string& host, in_addr* out, bool* isLiteral = nullptr);

}  // namespace os
