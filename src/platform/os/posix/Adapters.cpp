// The adapter list on Linux: interfaces and addresses from getifaddrs, the
// default gateways from the routing table, the DNS servers from the resolver
// configuration.

#include "platform/os/Adapters.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netpacket/packet.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/os/posix/NetAdapterParts.h"

namespace os {
namespace {

std::string InterfaceOf(const char* label) {
  std::string name = label;
  return name.substr(0, name.find(':'));
}

Text AddressText(const in_addr& a) {
  char text[INET_ADDRSTRLEN];
  inet_ntop(AF_INET, &a, text, sizeof text);
  return text;
}

// The gateway of each interface's default route with the lowest metric.
std::map<std::string, Text> DefaultGateways() {
  std::map<std::string, Text> gateways;
  std::map<std::string, unsigned long> metrics;
  std::ifstream table("/proc/net/route");
  std::string line;
  std::getline(table, line);  // heading
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string name;
    unsigned long destination, gateway, flags, refCount, use, metric, mask;
    fields >> name >> std::hex >> destination >> gateway >> flags >> std::dec >> refCount >> use >>
        metric >> std::hex >> mask;
    if (!fields || destination != 0 || mask != 0) continue;
    const unsigned long upGateway = 0x1 | 0x2;  // RTF_UP | RTF_GATEWAY
    if ((flags & upGateway) != upGateway) continue;
    if (metrics.count(name) && metrics[name] <= metric) continue;
    in_addr a{};
    a.s_addr = static_cast<in_addr_t>(gateway);  // printed in the kernel's byte order
    gateways[name] = AddressText(a);
    metrics[name] = metric;
  }
  return gateways;
}

ResolverConfig ReadResolverFile(const char* path) {
  ResolverConfig config;
  std::ifstream file(path);
  std::string line, domain;
  while (std::getline(file, line)) {
    std::istringstream words(line);
    std::string keyword, value;
    words >> keyword;
    if (keyword == "nameserver" && words >> value) {
      config.servers.push_back(value);
    } else if (keyword == "search") {
      config.searchDomains.clear();
      while (words >> value) config.searchDomains.push_back(value);
    } else if (keyword == "domain" && words >> value) {
      domain = value;
    }
  }
  if (config.searchDomains.empty() && !domain.empty()) config.searchDomains.push_back(domain);
  return config;
}

Text LocalTimeText(std::time_t t) {
  if (t == 0) return {};
  std::tm local{};
  localtime_r(&t, &local);
  char text[64];
  std::snprintf(text, sizeof text, "%d年%d月%d日 %d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

}  // namespace

ResolverConfig ReadResolverConfig() {
  ResolverConfig config = ReadResolverFile("/etc/resolv.conf");
  // With systemd-resolved's local stub the real servers are listed elsewhere.
  if (config.servers.size() == 1 && config.servers[0] == "127.0.0.53") {
    ResolverConfig upstream = ReadResolverFile("/run/systemd/resolve/resolv.conf");
    if (!upstream.servers.empty()) config = upstream;
  }
  return config;
}

std::vector<Adapter> ListAdapters() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return {};
  std::vector<Adapter> adapters;
  std::map<std::string, int> linkTypes;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr || i->ifa_addr->sa_family != AF_PACKET) continue;
    if (i->ifa_flags & IFF_LOOPBACK) continue;
    // Windows lists the enabled adapters only; one that is up without a
    // carrier stays, as media disconnected.
    if (!(i->ifa_flags & IFF_UP)) continue;
    auto* link = reinterpret_cast<sockaddr_ll*>(i->ifa_addr);
    Adapter a;
    a.name = i->ifa_name;
    a.index = link->sll_ifindex;
    a.up = i->ifa_flags & IFF_UP;
    a.running = a.up && (i->ifa_flags & IFF_RUNNING);
    bool anyByte = false;
    for (int k = 0; k < link->sll_halen && k < 8; ++k) anyByte |= link->sll_addr[k] != 0;
    if (anyByte) a.hardwareAddress.assign(link->sll_addr, link->sll_addr + link->sll_halen);
    linkTypes[a.name] = link->sll_hatype;
    adapters.push_back(std::move(a));
  }
  std::sort(adapters.begin(), adapters.end(),
            [](const Adapter& x, const Adapter& y) { return x.index < y.index; });

  auto adapterNamed = [&](const std::string& name) -> Adapter* {
    for (Adapter& a : adapters)
      if (a.name == name) return &a;
    return nullptr;
  };
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr) continue;
    Adapter* a = adapterNamed(InterfaceOf(i->ifa_name));
    if (!a) continue;
    if (i->ifa_addr->sa_family == AF_INET) {
      AdapterAddress address;
      address.address = AddressText(reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr);
      if (i->ifa_netmask)
        address.prefixLength =
            std::popcount(reinterpret_cast<sockaddr_in*>(i->ifa_netmask)->sin_addr.s_addr);
      a->ipv4.push_back(address);
    } else if (i->ifa_addr->sa_family == AF_INET6 && a->ipv6LinkLocal.empty()) {
      auto* v6 = reinterpret_cast<sockaddr_in6*>(i->ifa_addr);
      if (!IN6_IS_ADDR_LINKLOCAL(&v6->sin6_addr)) continue;
      char text[INET6_ADDRSTRLEN];
      inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
      a->ipv6LinkLocal = Text(text) + "%" + std::to_string(a->index);
    }
  }
  freeifaddrs(list);

  std::map<std::string, Text> gateways = DefaultGateways();
  ResolverConfig resolver = ReadResolverConfig();
  std::map<Text, int> descriptionCount;
  for (Adapter& a : adapters) {
    DeviceInfo device = DescribeDevice(a.name, a.index, linkTypes[a.name]);
    a.type = device.type;
    // Windows tells adapters of the same kind apart by a number.
    int seen = ++descriptionCount[device.description];
    a.description =
        seen == 1 ? device.description : device.description + " #" + std::to_string(seen);
    if (gateways.count(a.name)) a.defaultGateway = gateways[a.name];
    DhcpLease lease = FindDhcpLease(a.name, a.index, a.ipv4);
    a.dhcpEnabled = lease.found;
    a.dhcpServer = lease.server;
    a.dnsSuffix = lease.domain;
    a.leaseObtained = LocalTimeText(lease.obtained);
    a.leaseExpires = LocalTimeText(lease.expires);
    a.dnsServers = resolver.servers;
  }
  return adapters;
}

}  // namespace os
