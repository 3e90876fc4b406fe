#include "platform/tools/IpconfigLayout.h"

#include <cstdio>
#include <string>

namespace os {
namespace {

constexpr size_t kLeaderEnd = 36;  // " : " follows, the value starts at byte 39
const Text kCrLf = "\r\n";

// The labels with the blanks Windows leaves after some of them before the
// leader starts.
const Text kHostName = "主机名  ";
const Text kPrimarySuffix = "主 DNS 后缀";
const Text kNodeType = "节点类型  ";
const Text kIpRouting = "IP 路由已启用";
const Text kWinsProxy = "WINS 代理已启用";
const Text kSearchList = "DNS 后缀搜索列表  ";
const Text kMediaState = "媒体状态  ";
const Text kConnectionSuffix = "连接特定的 DNS 后缀";
const Text kDescription = "描述";
const Text kPhysicalAddress = "物理地址";
const Text kDhcpEnabled = "DHCP 已启用";
const Text kAutoconfiguration = "自动配置已启用";
const Text kLinkLocal = "本地链接 IPv6 地址";
const Text kIpv4Address = "IPv4 地址";
const Text kSubnetMask = "子网掩码  ";
const Text kLeaseObtained = "获得租约的时间  ";
const Text kLeaseExpires = "租约过期的时间  ";
const Text kDefaultGateway = "默认网关";
const Text kDhcpServer = "DHCP 服务器";
const Text kDhcpv6Iaid = "DHCPv6 IAID";
const Text kDhcpv6Duid = "DHCPv6 客户端 DUID  ";
const Text kDnsServers = "DNS 服务器  ";
const Text kNetbios = "TCPIP 上的 NetBIOS  ";

const Text kYes = "是";
const Text kNo = "否";
const Text kPreferred = "(首选)";

Text YesNo(bool value) {
  return value ? kYes : kNo;
}

Text Heading(const Adapter& a) {
  switch (a.type) {
    case AdapterType::Ethernet:
      return "以太网适配器 " + a.name + ":";
    case AdapterType::Wireless:
      return "无线局域网适配器 " + a.name + ":";
    case AdapterType::Tunnel:
      return "隧道适配器 " + a.name + ":";
    default:
      return "未知适配器 " + a.name + ":";
  }
}

Text HexBytes(const std::vector<unsigned char>& bytes) {
  Text text;
  for (unsigned char b : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", b);
    if (!text.empty()) text += "-";
    text += pair;
  }
  return text;
}

// The DHCPv6 identities of the host and of each adapter, made from the
// hardware addresses the way a link-layer DUID is.
Text HostDuid(const std::vector<Adapter>& adapters) {
  for (const Adapter& a : adapters)
    if (a.hardwareAddress.size() == 6) {
      std::vector<unsigned char> duid = {0x00, 0x03, 0x00, 0x01};
      duid.insert(duid.end(), a.hardwareAddress.begin(), a.hardwareAddress.end());
      return HexBytes(duid);
    }
  return {};
}

// The interface index in the top byte and the end of the hardware address
// below it, which is how Windows' own IAIDs look.
Text Iaid(const Adapter& a) {
  unsigned long iaid = static_cast<unsigned long>(a.index & 0xFF) << 24;
  const std::vector<unsigned char>& mac = a.hardwareAddress;
  for (size_t k = mac.size() >= 3 ? mac.size() - 3 : 0; k < mac.size(); ++k)
    iaid |= static_cast<unsigned long>(mac[k]) << (8 * (mac.size() - 1 - k));
  return std::to_string(iaid);
}

// The label line, then each further value on a line of its own.
Text ValueList(const Text& label, const std::vector<Text>& values) {
  Text text = IpconfigLine(label, values.empty() ? Text() : values[0]);
  for (size_t i = 1; i < values.size(); ++i) text += IpconfigContinuation(values[i]);
  return text;
}

Text AdapterAll(const Adapter& a, const Text& duid) {
  Text text = kCrLf + Heading(a) + kCrLf + kCrLf;
  // A disconnected adapter shows its media state and these five lines only.
  if (!a.running) text += IpconfigLine(kMediaState, "媒体已断开连接");
  text += IpconfigLine(kConnectionSuffix, a.dnsSuffix);
  text += IpconfigLine(kDescription, a.description);
  text += IpconfigLine(kPhysicalAddress, HexBytes(a.hardwareAddress));
  text += IpconfigLine(kDhcpEnabled, YesNo(a.dhcpEnabled));
  text += IpconfigLine(kAutoconfiguration, kYes);
  if (!a.running) return text;
  bool ipv6 = !a.ipv6LinkLocal.empty();
  if (ipv6) text += IpconfigLine(kLinkLocal, a.ipv6LinkLocal + kPreferred);
  for (const AdapterAddress& address : a.ipv4) {
    text += IpconfigLine(kIpv4Address, address.address + kPreferred);
    text += IpconfigLine(kSubnetMask, SubnetMaskText(address.prefixLength));
  }
  if (a.dhcpEnabled && !a.leaseObtained.empty())
    text += IpconfigLine(kLeaseObtained, a.leaseObtained);
  if (a.dhcpEnabled && !a.leaseExpires.empty()) text += IpconfigLine(kLeaseExpires, a.leaseExpires);
  text += IpconfigLine(kDefaultGateway, a.defaultGateway);
  if (a.dhcpEnabled && !a.dhcpServer.empty()) text += IpconfigLine(kDhcpServer, a.dhcpServer);
  if (ipv6) {
    text += IpconfigLine(kDhcpv6Iaid, Iaid(a));
    text += IpconfigLine(kDhcpv6Duid, duid);
  }
  text += ValueList(kDnsServers, a.dnsServers);
  text += IpconfigLine(kNetbios, "已启用");
  return text;
}

}  // namespace

Text IpconfigLine(const Text& label, const Text& value) {
  Text line = "   " + label;
  // Full stops stand on the odd byte columns, as in the Windows report.
  while (line.size() < kLeaderEnd) line += line.size() % 2 ? "." : " ";
  return line + " : " + value + kCrLf;
}

Text IpconfigContinuation(const Text& value) {
  return Text(kLeaderEnd + 3, ' ') + value + kCrLf;
}

Text SubnetMaskText(int prefixLength) {
  if (prefixLength < 0) prefixLength = 0;
  if (prefixLength > 32) prefixLength = 32;
  unsigned long mask = prefixLength == 0 ? 0 : 0xFFFFFFFFul << (32 - prefixLength) & 0xFFFFFFFFul;
  return std::to_string(mask >> 24) + "." + std::to_string(mask >> 16 & 0xFF) + "." +
         std::to_string(mask >> 8 & 0xFF) + "." + std::to_string(mask & 0xFF);
}

Text IpconfigAllText(const IpconfigHost& host, const std::vector<Adapter>& adapters) {
  Text text = kCrLf + "Windows IP 配置" + kCrLf + kCrLf;
  text += IpconfigLine(kHostName, host.hostName);
  text += IpconfigLine(kPrimarySuffix, host.primaryDnsSuffix);
  text += IpconfigLine(kNodeType, "混合");
  text += IpconfigLine(kIpRouting, YesNo(host.ipRouting));
  text += IpconfigLine(kWinsProxy, kNo);
  if (!host.searchList.empty()) text += ValueList(kSearchList, host.searchList);
  Text duid = HostDuid(adapters);
  for (const Adapter& a : adapters) text += AdapterAll(a, duid);
  return text;
}

Text IpconfigBriefText(const std::vector<Adapter>& adapters) {
  Text text = kCrLf + "Windows IP 配置" + kCrLf + kCrLf;
  for (const Adapter& a : adapters) {
    text += kCrLf + Heading(a) + kCrLf + kCrLf;
    if (!a.running) {
      text += IpconfigLine(kMediaState, "媒体已断开连接");
      text += IpconfigLine(kConnectionSuffix, a.dnsSuffix);
      continue;
    }
    text += IpconfigLine(kConnectionSuffix, a.dnsSuffix);
    if (!a.ipv6LinkLocal.empty()) text += IpconfigLine(kLinkLocal, a.ipv6LinkLocal);
    for (const AdapterAddress& address : a.ipv4) {
      text += IpconfigLine(kIpv4Address, address.address);
      text += IpconfigLine(kSubnetMask, SubnetMaskText(address.prefixLength));
    }
    text += IpconfigLine(kDefaultGateway, a.defaultGateway);
  }
  return text;
}

}  // namespace os
