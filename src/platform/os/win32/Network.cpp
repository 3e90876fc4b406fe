// Network services over Windows Sockets, the ICMP service and the IP helper.

#include "platform/os/Network.h"

#include <winsock2.h>
// After the socket declarations:
#include <iphlpapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/os/win32/IcmpEcho.h"

namespace os {
namespace {

// How long RemoteMacAddress waits for the neighbour entry it prompted, where
// the neighbour table is read instead of asking SendARP.
constexpr auto kNeighbourWait = std::chrono::milliseconds(200);
constexpr auto kNeighbourPoll = std::chrono::milliseconds(1);
constexpr u_short kDiscardPort = 9;

Text MacText(const unsigned char* b) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4],
                b[5]);
  return text;
}

bool AllZero(const unsigned char* b, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (b[i]) return false;
  return true;
}

// The adapter list of the IP helper: one call for the size, one to fill it.
std::vector<char> AdapterInfo() {
  ULONG size = 0;
  std::vector<char> buffer;
  for (int attempt = 0; attempt < 3; ++attempt) {
    buffer.resize(size ? size : sizeof(IP_ADAPTER_INFO));
    size = static_cast<ULONG>(buffer.size());
    DWORD result = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    if (result == ERROR_SUCCESS) return buffer;
    if (result != ERROR_BUFFER_OVERFLOW) break;
  }
  return {};
}

template <typename Visit>
void ForEachAdapter(Visit visit) {
  std::vector<char> buffer = AdapterInfo();
  if (buffer.empty()) return;
  for (auto* a = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()); a; a = a->Next) visit(*a);
}

// The MAC of our own adapter that holds the address.
bool OwnMac(IPAddr address, unsigned char mac[6]) {
  bool found = false;
  ForEachAdapter([&](const IP_ADAPTER_INFO& a) {
    for (const IP_ADDR_STRING* s = &a.IpAddressList; s && !found; s = s->Next) {
      if (inet_addr(s->IpAddress.String) != address || a.AddressLength != 6) continue;
      std::memcpy(mac, a.Address, 6);
      found = true;
    }
  });
  return found;
}

// A complete entry of the neighbour table for the address.
bool NeighbourMac(IPAddr address, unsigned char mac[6]) {
  ULONG size = 0;
  if (GetIpNetTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER || size == 0) return false;
  std::vector<char> buffer(size);
  auto* table = reinterpret_cast<MIB_IPNETTABLE*>(buffer.data());
  if (GetIpNetTable(table, &size, FALSE) != NO_ERROR) return false;
  for (DWORD i = 0; i < table->dwNumEntries; ++i) {
    const MIB_IPNETROW& row = table->table[i];
    if (row.dwAddr != address || row.dwPhysAddrLen != 6) continue;
    if (row.dwType == MIB_IPNET_TYPE_INVALID || AllZero(row.bPhysAddr, 6)) continue;
    std::memcpy(mac, row.bPhysAddr, 6);
    return true;
  }
  return false;
}

// One empty UDP datagram to the discard port makes the system resolve the
// neighbour; nothing else is sent.
void PromptResolution(IPAddr address) {
  SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (s == INVALID_SOCKET) return;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(kDiscardPort);
  to.sin_addr.s_addr = address;
  sendto(s, "", 0, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  closesocket(s);
}

bool IsLoopback(u_long networkOrder) {
  return (ntohl(networkOrder) >> 24) == 127;
}

}  // namespace

Text lookupHostName(const Text& address) {
  if (!StartSockets()) return {};
  unsigned long a = inet_addr(address.c_str());
  if (a == INADDR_NONE) return {};
  hostent* entry = gethostbyaddr(reinterpret_cast<const char*>(&a), 4, AF_INET);
  if (!entry || !entry->h_name) return {};
  Text name = entry->h_name;
  if (name.size() > 255) name.resize(255);
  return name;
}

Text RemoteMacAddress(const Text& address) {
  if (lookupHostName(address).empty()) return {};
  IPAddr a = inet_addr(address.c_str());
  unsigned char mac[8] = {};
  ULONG length = 6;
  DWORD result = SendARP(a, 0, mac, &length);
  if (result == NO_ERROR && length == 6) return MacText(mac);
  if (result != ERROR_NOT_SUPPORTED) return {};
  // A system without SendARP: our own adapters, then the neighbour table,
  // which the echo before this call has normally filled already.
  if (OwnMac(a, mac) || NeighbourMac(a, mac)) return MacText(mac);
  PromptResolution(a);
  auto deadline = std::chrono::steady_clock::now() + kNeighbourWait;
  while (std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kNeighbourPoll);
    if (NeighbourMac(a, mac)) return MacText(mac);
  }
  return {};
}

Text LocalAddress() {
  if (!StartSockets()) return {};
  char name[256];
  if (gethostname(name, sizeof name) == 0) {
    hostent* entry = gethostbyname(name);
    for (int i = 0; entry && entry->h_addrtype == AF_INET && entry->h_addr_list[i]; ++i) {
      in_addr a;
      std::memcpy(&a, entry->h_addr_list[i], 4);
      if (!IsLoopback(a.s_addr)) return inet_ntoa(a);
    }
  }
  // The name leads only to loopback (as a hosts file often has it): the
  // first address of the adapter list.
  Text first;
  ForEachAdapter([&](const IP_ADAPTER_INFO& adapter) {
    for (const IP_ADDR_STRING* s = &adapter.IpAddressList; s && first.empty(); s = s->Next) {
      unsigned long a = inet_addr(s->IpAddress.String);
      if (a != INADDR_NONE && a != 0 && !IsLoopback(a)) first = s->IpAddress.String;
    }
  });
  return first;
}

Text LocalHostName() {
  if (!StartSockets()) return {};
  char name[256];
  if (gethostname(name, sizeof name) != 0) return {};
  name[sizeof name - 1] = '\0';
  return name;
}

}  // namespace os
