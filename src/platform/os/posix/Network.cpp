// Network services on Linux: ICMP echo, reverse lookup, neighbour table and
// the local interfaces.

#include "platform/os/Network.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netpacket/packet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace os {
namespace {

// How long RemoteMacAddress waits for the neighbour entry it prompted. The
// LAN search holds its lock meanwhile; on a LAN the answer takes well under
// a millisecond, and an address that answered a ping is normally in the
// table already.
constexpr auto kNeighbourWait = std::chrono::milliseconds(200);
constexpr auto kNeighbourPoll = std::chrono::milliseconds(1);
constexpr int kDiscardPort = 9;

// getifaddrs names an address by its label, which may be "eth0:1".
std::string InterfaceOf(const char* label) {
  std::string name = label;
  return name.substr(0, name.find(':'));
}

Text MacText(const unsigned char* b) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4],
                b[5]);
  return text;
}

struct OwnAddress {
  bool own = false;        // the address belongs to an interface of this machine
  bool onLink = false;     // it lies in the subnet of an interface that is up
  unsigned char mac[6]{};  // of the interface that holds it
  bool hasMac = false;
};

OwnAddress FindOwnAddress(in_addr_t address) {
  OwnAddress found;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return found;
  std::string holder;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
    in_addr_t own = reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr;
    if (own == address) {
      found.own = true;
      holder = InterfaceOf(i->ifa_name);
    }
    if (i->ifa_netmask && (i->ifa_flags & IFF_UP) && !(i->ifa_flags & IFF_LOOPBACK)) {
      in_addr_t mask = reinterpret_cast<sockaddr_in*>(i->ifa_netmask)->sin_addr.s_addr;
      if ((own & mask) == (address & mask)) found.onLink = true;
    }
  }
  if (!holder.empty()) {
    for (ifaddrs* i = list; i; i = i->ifa_next) {
      if (!i->ifa_addr || i->ifa_addr->sa_family != AF_PACKET) continue;
      if (holder != i->ifa_name) continue;
      auto* link = reinterpret_cast<sockaddr_ll*>(i->ifa_addr);
      if (link->sll_halen == 6) {
        std::memcpy(found.mac, link->sll_addr, 6);
        found.hasMac = true;
      }
    }
  }
  freeifaddrs(list);
  return found;
}

// A complete entry of the kernel's neighbour table for the address.
bool NeighbourMac(in_addr_t address, unsigned char mac[6]) {
  FILE* table = std::fopen("/proc/net/arp", "re");
  if (!table) return false;
  char line[256];
  bool found = false;
  std::fgets(line, sizeof line, table);  // heading
  while (!found && std::fgets(line, sizeof line, table)) {
    char ip[64], hw[64];
    unsigned type, flags;
    if (std::sscanf(line, "%63s %x %x %63s", ip, &type, &flags, hw) != 4) continue;
    if (inet_addr(ip) != address || !(flags & 0x2)) continue;  // 0x2: complete
    unsigned b[6];
    if (std::sscanf(hw, "%x:%x:%x:%x:%x:%x", &b[0], &b[1], &b[2], &b[3], &b[4], &b[5]) != 6)
      continue;
    for (int k = 0; k < 6; ++k) mac[k] = static_cast<unsigned char>(b[k]);
    found = (b[0] | b[1] | b[2] | b[3] | b[4] | b[5]) != 0;
  }
  std::fclose(table);
  return found;
}

// One empty UDP datagram to the discard port makes the kernel resolve the
// neighbour; nothing else is sent.
void PromptResolution(in_addr_t address) {
  int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(kDiscardPort);
  to.sin_addr.s_addr = address;
  sendto(fd, "", 0, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&to), sizeof to);
  close(fd);
}

}  // namespace

Text lookupHostName(const Text& address) {
  in_addr_t a = inet_addr(address.c_str());
  if (a == INADDR_NONE) return {};
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = a;
  char host[NI_MAXHOST];
  if (getnameinfo(reinterpret_cast<sockaddr*>(&sa), sizeof sa, host, sizeof host, nullptr, 0,
                  NI_NAMEREQD) != 0)
    return {};
  Text name = host;
  if (name.size() > 255) name.resize(255);
  return name;
}

Text RemoteMacAddress(const Text& address) {
  if (lookupHostName(address).empty()) return {};
  in_addr_t a = inet_addr(address.c_str());
  OwnAddress own = FindOwnAddress(a);
  if (own.own) return own.hasMac ? MacText(own.mac) : Text();
  unsigned char mac[6];
  if (NeighbourMac(a, mac)) return MacText(mac);
  // Only a neighbour on one of our subnets can appear in the table.
  if (!own.onLink) return {};
  PromptResolution(a);
  auto deadline = std::chrono::steady_clock::now() + kNeighbourWait;
  while (std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kNeighbourPoll);
    if (NeighbourMac(a, mac)) return MacText(mac);
  }
  return {};
}

Text LocalAddress() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return {};
  Text best;
  unsigned bestIndex = 0;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
    if (!(i->ifa_flags & IFF_UP) || (i->ifa_flags & IFF_LOOPBACK)) continue;
    unsigned index = if_nametoindex(InterfaceOf(i->ifa_name).c_str());
    if (index == 0) continue;
    if (!best.empty() && index >= bestIndex) continue;  // the first address of each interface
    char text[INET_ADDRSTRLEN];
    inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr, text, sizeof text);
    best = text;
    bestIndex = index;
  }
  freeifaddrs(list);
  return best;
}

Text LocalHostName() {
  char name[256];
  if (gethostname(name, sizeof name) != 0) return {};
  name[sizeof name - 1] = '\0';
  return name;
}

}  // namespace os
