// The adapter list over the IP helper (GetAdaptersInfo), in the order the
// system lists the adapters; the DNS servers from the network parameters.

#include "platform/os/Adapters.h"

#include <winsock2.h>
// After the socket declarations:
#include <iphlpapi.h>

#include <bit>
#include <cstdio>
#include <ctime>
#include <map>
#include <vector>

namespace os {
namespace {

AdapterType TypeOf(UINT type) {
  switch (type) {
    case MIB_IF_TYPE_ETHERNET:
      return AdapterType::Ethernet;
    case IF_TYPE_IEEE80211:
      return AdapterType::Wireless;
    case IF_TYPE_TUNNEL:
      return AdapterType::Tunnel;
    default:
      return AdapterType::Other;
  }
}

bool Usable(const char* address) {
  return address[0] != '\0' && std::string(address) != "0.0.0.0";
}

Text LocalTimeText(time_t t) {
  if (t <= 0) return {};
  std::tm* local = std::localtime(&t);
  if (!local) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%d年%d月%d日 %d:%02d:%02d", local->tm_year + 1900,
                local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec);
  return text;
}

template <typename T, typename Call>
std::vector<char> Fetch(Call call) {
  ULONG size = sizeof(T);
  std::vector<char> buffer;
  for (int attempt = 0; attempt < 3; ++attempt) {
    buffer.assign(size, 0);
    DWORD result = call(reinterpret_cast<T*>(buffer.data()), &size);
    if (result == ERROR_SUCCESS) return buffer;
    if (result != ERROR_BUFFER_OVERFLOW) break;
  }
  return {};
}

}  // namespace

ResolverConfig ReadResolverConfig() {
  ResolverConfig config;
  std::vector<char> buffer =
      Fetch<FIXED_INFO>([](FIXED_INFO* info, ULONG* size) { return GetNetworkParams(info, size); });
  if (buffer.empty()) return config;
  auto* info = reinterpret_cast<FIXED_INFO*>(buffer.data());
  for (const IP_ADDR_STRING* s = &info->DnsServerList; s; s = s->Next)
    if (Usable(s->IpAddress.String)) config.servers.push_back(s->IpAddress.String);
  if (info->DomainName[0]) config.searchDomains.push_back(info->DomainName);
  return config;
}

std::vector<Adapter> ListAdapters() {
  std::vector<char> buffer = Fetch<IP_ADAPTER_INFO>(
      [](IP_ADAPTER_INFO* info, ULONG* size) { return GetAdaptersInfo(info, size); });
  if (buffer.empty()) return {};
  ResolverConfig resolver = ReadResolverConfig();
  std::vector<Adapter> adapters;
  for (auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()); info; info = info->Next) {
    if (info->Type == MIB_IF_TYPE_LOOPBACK) continue;
    Adapter a;
    a.name = info->AdapterName;
    a.index = static_cast<int>(info->Index);
    a.description = info->Description[0] ? Text(info->Description) : a.name;
    a.type = TypeOf(info->Type);
    if (info->AddressLength > 0 && info->AddressLength <= MAX_ADAPTER_ADDRESS_LENGTH)
      a.hardwareAddress.assign(info->Address, info->Address + info->AddressLength);
    MIB_IFROW row{};
    row.dwIndex = info->Index;
    if (GetIfEntry(&row) == NO_ERROR) {
      a.up = row.dwAdminStatus != 0;
      a.running = a.up && row.dwOperStatus >= IF_OPER_STATUS_CONNECTED;
    } else {
      a.up = a.running = true;
    }
    for (const IP_ADDR_STRING* s = &info->IpAddressList; s; s = s->Next) {
      if (!Usable(s->IpAddress.String)) continue;
      unsigned long mask = inet_addr(s->IpMask.String);
      a.ipv4.push_back({s->IpAddress.String, std::popcount(static_cast<uint32_t>(mask))});
    }
    if (Usable(info->GatewayList.IpAddress.String))
      a.defaultGateway = info->GatewayList.IpAddress.String;
    a.dhcpEnabled = info->DhcpEnabled != 0;
    if (a.dhcpEnabled && Usable(info->DhcpServer.IpAddress.String))
      a.dhcpServer = info->DhcpServer.IpAddress.String;
    if (a.dhcpEnabled) {
      a.leaseObtained = LocalTimeText(info->LeaseObtained);
      a.leaseExpires = LocalTimeText(info->LeaseExpires);
    }
    a.dnsServers = resolver.servers;
    adapters.push_back(std::move(a));
  }
  return adapters;
}

}  // namespace os
