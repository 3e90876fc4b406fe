// ICMP echo over a datagram ICMP socket, or a raw socket where those are
// refused. A reply is taken only when it belongs to the request just sent:
// on a datagram socket the kernel hands us only replies carrying our socket's
// identifier, so the sequence number and the source decide; a raw socket sees
// every ICMP packet of the machine, so identifier, sequence number and source
// (or, for an error, the quoted request) must all match.

#include <arpa/inet.h>
#include <linux/errqueue.h>
#include <linux/icmp.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/os/posix/IcmpEcho.h"

namespace os {
namespace {

using Clock = std::chrono::steady_clock;

constexpr uint8_t kEchoReply = 0;
constexpr uint8_t kDestUnreachable = 3;
constexpr uint8_t kEchoRequest = 8;
constexpr uint8_t kTimeExceeded = 11;

// Identifiers and sequence numbers for this process: a per-process start so
// that two programs pinging at once rarely pick the same pair, then one step
// per socket and per echo so that concurrent calls never share one.
std::atomic<uint32_t> nextNumber{static_cast<uint32_t>(getpid()) * 2654435761u ^
                                 static_cast<uint32_t>(Clock::now().time_since_epoch().count())};

uint16_t Read16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

void Write16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}

uint16_t Checksum(const uint8_t* data, size_t size) {
  uint32_t sum = 0;
  for (size_t i = 0; i + 1 < size; i += 2) sum += Read16(data + i);
  if (size % 2) sum += static_cast<uint32_t>(data[size - 1]) << 8;
  while (sum >> 16) sum = (sum & 0xffff) + (sum >> 16);
  return static_cast<uint16_t>(~sum);
}

bool SameAddress(const uint8_t* p, in_addr a) {
  return std::memcmp(p, &a.s_addr, 4) == 0;
}

EchoStatus ErrorStatus(int type) {
  return type == kTimeExceeded ? EchoStatus::TimeExceeded : EchoStatus::Unreachable;
}

}  // namespace

IcmpSocket::IcmpSocket(IcmpMode mode) {
  if (mode != IcmpMode::Raw) {
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd_ < 0) openError_ = errno;
  }
  if (fd_ < 0 && mode != IcmpMode::Datagram) {
    fd_ = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd_ >= 0) {
      raw_ = true;
      openError_ = 0;
    } else {
      openError_ = errno;
    }
  }
  if (fd_ < 0) return;
  int on = 1;
  if (raw_) {
    // Only the answers we may be waiting for wake us up.
    icmp_filter filter{};
    filter.data = ~((1u << kEchoReply) | (1u << kDestUnreachable) | (1u << kTimeExceeded));
    setsockopt(fd_, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
  } else {
    // ICMP errors about our requests arrive on the error queue.
    setsockopt(fd_, SOL_IP, IP_RECVERR, &on, sizeof on);
    setsockopt(fd_, SOL_IP, IP_RECVTTL, &on, sizeof on);
  }
  uint32_t number = nextNumber.fetch_add(1);
  id_ = static_cast<uint16_t>(number);
  seq_ = static_cast<uint16_t>(number >> 16);
}

IcmpSocket::~IcmpSocket() {
  if (fd_ >= 0) close(fd_);
}

EchoResult IcmpSocket::Echo(in_addr target, int payloadBytes, int timeoutMs) {
  EchoResult result;
  if (fd_ < 0) {
    result.status = EchoStatus::SendFailed;
    return result;
  }
  payloadBytes = std::max(0, std::min(payloadBytes, 65000));
  ++seq_;

  std::vector<uint8_t> packet(8 + payloadBytes);
  packet[0] = kEchoRequest;
  Write16(&packet[4], id_);
  Write16(&packet[6], seq_);
  for (int i = 0; i < payloadBytes; ++i) packet[8 + i] = static_cast<uint8_t>('a' + i % 23);
  Write16(&packet[2], Checksum(packet.data(), packet.size()));

  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr = target;
  const Clock::time_point start = Clock::now();
  if (sendto(fd_, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) <
      0) {
    result.status = EchoStatus::SendFailed;
    return result;
  }
  const Clock::time_point deadline = start + std::chrono::milliseconds(std::max(0, timeoutMs));

  std::vector<uint8_t> buffer(std::max<size_t>(2048, packet.size() + 128));
  alignas(cmsghdr) char control[512];

  // Reads one datagram (or one queued error): 1 when it answers our request,
  // 0 when it was something else, -1 when nothing was waiting.
  auto readOne = [&](bool errorQueue) -> int {
    sockaddr_in from{};
    iovec iov{buffer.data(), buffer.size()};
    msghdr msg{};
    msg.msg_name = &from;
    msg.msg_namelen = sizeof from;
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    msg.msg_control = control;
    msg.msg_controllen = sizeof control;
    ssize_t n = recvmsg(fd_, &msg, MSG_DONTWAIT | (errorQueue ? MSG_ERRQUEUE : 0));
    if (n < 0) return -1;
    const uint8_t* data = buffer.data();
    size_t size = std::min(static_cast<size_t>(n), buffer.size());
    auto took = [&](EchoStatus status) {
      result.status = status;
      result.roundTrip =
          std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
      return 1;
    };

    if (raw_) {
      if (size < 20) return 0;
      size_t ihl = (data[0] & 0x0f) * 4u;
      if (size < ihl + 8) return 0;
      const uint8_t* icmp = data + ihl;
      int type = icmp[0];
      if (type == kEchoReply) {
        if (Read16(icmp + 4) != id_ || Read16(icmp + 6) != seq_ || !SameAddress(data + 12, target))
          return 0;
        std::memcpy(&result.from.s_addr, data + 12, 4);
        result.ttl = data[8];
        result.dataBytes = static_cast<int>(size - ihl - 8);
        return took(EchoStatus::Reply);
      }
      if (type != kDestUnreachable && type != kTimeExceeded) return 0;
      // The error quotes the IP header and the first 8 bytes of our request.
      const uint8_t* inner = icmp + 8;
      if (size < ihl + 8 + 20) return 0;
      size_t innerIhl = (inner[0] & 0x0f) * 4u;
      if (size < ihl + 8 + innerIhl + 8) return 0;
      const uint8_t* quoted = inner + innerIhl;
      if (inner[9] != IPPROTO_ICMP || !SameAddress(inner + 16, target) ||
          quoted[0] != kEchoRequest || Read16(quoted + 4) != id_ || Read16(quoted + 6) != seq_)
        return 0;
      std::memcpy(&result.from.s_addr, data + 12, 4);
      result.icmpCode = icmp[1];
      result.ttl = data[8];
      return took(ErrorStatus(type));
    }

    if (errorQueue) {
      // The queued error carries our own request back.
      if (size < 8 || Read16(data + 6) != seq_) return 0;
      for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
        if (c->cmsg_level != SOL_IP || c->cmsg_type != IP_RECVERR) continue;
        auto* ee = reinterpret_cast<sock_extended_err*>(CMSG_DATA(c));
        if (ee->ee_origin != SO_EE_ORIGIN_ICMP) continue;
        if (ee->ee_type != kDestUnreachable && ee->ee_type != kTimeExceeded) continue;
        auto* offender = reinterpret_cast<sockaddr_in*>(SO_EE_OFFENDER(ee));
        result.from = offender->sin_addr;
        result.icmpCode = ee->ee_code;
        return took(ErrorStatus(ee->ee_type));
      }
      return 0;
    }

    if (size < 8 || data[0] != kEchoReply || Read16(data + 6) != seq_ ||
        from.sin_addr.s_addr != target.s_addr)
      return 0;
    result.from = from.sin_addr;
    result.dataBytes = static_cast<int>(size - 8);
    for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
      if (c->cmsg_level == SOL_IP && c->cmsg_type == IP_TTL) {
        int ttl;
        std::memcpy(&ttl, CMSG_DATA(c), sizeof ttl);
        result.ttl = ttl;
      }
    }
    return took(EchoStatus::Reply);
  };

  for (;;) {
    auto remaining = deadline - Clock::now();
    if (remaining <= Clock::duration::zero()) break;
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(remaining).count();
    timespec wait{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    pollfd p{fd_, POLLIN, 0};
    int ready = ppoll(&p, 1, &wait, nullptr);
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    if (p.revents & POLLERR) {
      int got;
      while ((got = readOne(true)) == 0) {
      }
      if (got == 1) return result;
      // A pending socket error without a queued packet: clear it, or the
      // next poll would return at once.
      int pending = 0;
      socklen_t length = sizeof pending;
      getsockopt(fd_, SOL_SOCKET, SO_ERROR, &pending, &length);
    }
    if (p.revents & POLLIN) {
      int got;
      while ((got = readOne(false)) == 0) {
      }
      if (got == 1) return result;
    }
  }
  result.status = EchoStatus::TimedOut;
  return result;
}

bool ResolveIPv4(const std::string& host, in_addr* out, bool* isLiteral) {
  if (isLiteral) *isLiteral = false;
  if (host.empty()) return false;
  if (inet_aton(host.c_str(), out)) {
    if (isLiteral) *isLiteral = true;
    return true;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
  *out = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
  freeaddrinfo(found);
  return true;
}

}  // namespace os
