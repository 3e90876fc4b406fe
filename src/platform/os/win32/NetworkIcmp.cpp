#include <winsock2.h>
// The ICMP service's declarations need the socket and IP helper types first.
#include <iphlpapi.h>
// and then:
#include <icmpapi.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/os/win32/IcmpEcho.h"

namespace os {
namespace {

EchoStatus StatusOf(DWORD status, int& icmpCode) {
  switch (status) {
    case IP_SUCCESS:
      return EchoStatus::Reply;
    case IP_DEST_NET_UNREACHABLE:
    case IP_DEST_HOST_UNREACHABLE:
    case IP_DEST_PROT_UNREACHABLE:
    case IP_DEST_PORT_UNREACHABLE:
      icmpCode = static_cast<int>(status - IP_DEST_NET_UNREACHABLE);  // net 0, host 1, ...
      return EchoStatus::Unreachable;
    case IP_TTL_EXPIRED_TRANSIT:
    case IP_TTL_EXPIRED_REASSEM:
      return EchoStatus::TimeExceeded;
    case IP_REQ_TIMED_OUT:
      return EchoStatus::TimedOut;
    default:
      return EchoStatus::SendFailed;
  }
}

}  // namespace

bool StartSockets() {
  static bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

IcmpSocket::IcmpSocket() {
  HANDLE h = IcmpCreateFile();
  if (h == INVALID_HANDLE_VALUE) {
    openError_ = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return;
  }
  handle_ = h;
}

IcmpSocket::~IcmpSocket() {
  if (handle_) IcmpCloseHandle(handle_);
}

EchoResult IcmpSocket::Echo(in_addr target, int payloadBytes, int timeoutMs) {
  EchoResult result;
  result.from = target;
  if (!handle_) {
    result.status = EchoStatus::SendFailed;
    return result;
  }
  // The payload the system's own ping sends: the alphabet from "a" to "w".
  std::vector<char> data(static_cast<size_t>(payloadBytes > 0 ? payloadBytes : 0));
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>('a' + i % 23);
  // Room for one reply, its data, an ICMP error's quoted header and the
  // service's own status block.
  std::vector<char> reply(sizeof(ICMP_ECHO_REPLY) + data.size() + 8 + 64);
  DWORD count = IcmpSendEcho(handle_, target.s_addr, data.empty() ? nullptr : data.data(),
                             static_cast<WORD>(data.size()), nullptr, reply.data(),
                             static_cast<DWORD>(reply.size()), static_cast<DWORD>(timeoutMs));
  if (count == 0) {
    result.status = StatusOf(GetLastError(), result.icmpCode);
    if (result.status == EchoStatus::Reply) result.status = EchoStatus::SendFailed;
    return result;
  }
  auto* echo = reinterpret_cast<ICMP_ECHO_REPLY*>(reply.data());
  result.status = StatusOf(echo->Status, result.icmpCode);
  result.from.s_addr = echo->Address;
  result.ttl = echo->Options.Ttl;
  result.dataBytes = echo->DataSize;
  result.roundTrip = std::chrono::milliseconds(echo->RoundTripTime);
  return result;
}

bool ResolveIPv4(const std::string& host, in_addr* out, bool* isLiteral) {
  if (isLiteral) *isLiteral = false;
  if (!StartSockets() || host.empty()) return false;
  unsigned long address = inet_addr(host.c_str());
  if (address != INADDR_NONE || host == "255.255.255.255") {
    out->s_addr = address;
    if (isLiteral) *isLiteral = true;
    return true;
  }
  hostent* entry = gethostbyname(host.c_str());
  if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0]) return false;
  std::memcpy(&out->s_addr, entry->h_addr_list[0], 4);
  return true;
}

}  // namespace os
