// The ipconfig report layout on fixed adapters: labels, leaders, the value
// column, continuation lines, disconnected adapters and the IPv6 lines.

#include <gtest/gtest.h>

#include "platform/tools/IpconfigLayout.h"

namespace {

os::Adapter Ethernet() {
  os::Adapter a;
  a.name = "eth0";
  a.index = 2;
  a.description = "Ethernet Adapter (e1000e)";
  a.type = os::AdapterType::Ethernet;
  a.hardwareAddress = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  a.up = a.running = true;
  a.ipv4 = {{"192.168.1.23", 24}, {"10.1.2.3", 8}};
  a.defaultGateway = "192.168.1.1";
  a.dhcpEnabled = true;
  a.dhcpServer = "192.168.1.1";
  a.leaseObtained = "2024年5月6日 9:12:33";
  a.leaseExpires = "2024年5月7日 9:12:33";
  a.dnsSuffix = "lab.test";
  a.dnsServers = {"192.168.1.2", "10.0.0.53"};
  a.ipv6LinkLocal = "fe80::21a:2bff:fe3c:4d5e%2";
  return a;
}

os::Adapter DisconnectedWireless() {
  os::Adapter a;
  a.name = "wlan0";
  a.index = 3;
  a.description = "Wireless Network Adapter (iwlwifi)";
  a.type = os::AdapterType::Wireless;
  a.hardwareAddress = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5F};
  a.up = true;
  a.ipv4 = {{"169.254.1.1", 16}};  // not shown while disconnected
  a.dnsServers = {"192.168.1.2"};
  return a;
}

os::Adapter StaticTunnel() {
  os::Adapter a;
  a.name = "tun0";
  a.index = 4;
  a.description = "TUN Virtual Adapter (tun)";
  a.type = os::AdapterType::Tunnel;
  a.up = a.running = true;
  a.ipv4 = {{"10.8.0.2", 24}};
  a.dnsServers = {"192.168.1.2"};
  return a;
}

TEST(IpconfigLayout, AllReportOfFixedAdapters) {
  os::IpconfigHost host;
  host.hostName = "kvhost";
  host.searchList = {"lab.test", "corp.test"};
  const Text expected =
      "\r\n"
      "Windows IP 配置\r\n"
      "\r\n"
      "   主机名  . . . . . . . . . . . . . : kvhost\r\n"
      "   主 DNS 后缀 . . . . . . . . . . . : \r\n"
      "   节点类型  . . . . . . . . . . . . : 混合\r\n"
      "   IP 路由已启用 . . . . . . . . . . : 否\r\n"
      "   WINS 代理已启用 . . . . . . . . . : 否\r\n"
      "   DNS 后缀搜索列表  . . . . . . . . : lab.test\r\n"
      "                                       corp.test\r\n"
      "\r\n"
      "以太网适配器 eth0:\r\n"
      "\r\n"
      "   连接特定的 DNS 后缀 . . . . . . . : lab.test\r\n"
      "   描述. . . . . . . . . . . . . . . : Ethernet Adapter (e1000e)\r\n"
      "   物理地址. . . . . . . . . . . . . : 00-1A-2B-3C-4D-5E\r\n"
      "   DHCP 已启用 . . . . . . . . . . . : 是\r\n"
      "   自动配置已启用. . . . . . . . . . : 是\r\n"
      "   本地链接 IPv6 地址. . . . . . . . : fe80::21a:2bff:fe3c:4d5e%2(首选)\r\n"
      "   IPv4 地址 . . . . . . . . . . . . : 192.168.1.23(首选)\r\n"
      "   子网掩码  . . . . . . . . . . . . : 255.255.255.0\r\n"
      "   IPv4 地址 . . . . . . . . . . . . : 10.1.2.3(首选)\r\n"
      "   子网掩码  . . . . . . . . . . . . : 255.0.0.0\r\n"
      "   获得租约的时间  . . . . . . . . . : 2024年5月6日 9:12:33\r\n"
      "   租约过期的时间  . . . . . . . . . : 2024年5月7日 9:12:33\r\n"
      "   默认网关. . . . . . . . . . . . . : 192.168.1.1\r\n"
      "   DHCP 服务器 . . . . . . . . . . . : 192.168.1.1\r\n"
      "   DHCPv6 IAID . . . . . . . . . . . : 37506398\r\n"
      "   DHCPv6 客户端 DUID  . . . . . . . : 00-03-00-01-00-1A-2B-3C-4D-5E\r\n"
      "   DNS 服务器  . . . . . . . . . . . : 192.168.1.2\r\n"
      "                                       10.0.0.53\r\n"
      "   TCPIP 上的 NetBIOS  . . . . . . . : 已启用\r\n"
      "\r\n"
      "无线局域网适配器 wlan0:\r\n"
      "\r\n"
      "   媒体状态  . . . . . . . . . . . . : 媒体已断开连接\r\n"
      "   连接特定的 DNS 后缀 . . . . . . . : \r\n"
      "   描述. . . . . . . . . . . . . . . : Wireless Network Adapter (iwlwifi)\r\n"
      "   物理地址. . . . . . . . . . . . . : 00-1A-2B-3C-4D-5F\r\n"
      "   DHCP 已启用 . . . . . . . . . . . : 否\r\n"
      "   自动配置已启用. . . . . . . . . . : 是\r\n"
      "\r\n"
      "隧道适配器 tun0:\r\n"
      "\r\n"
      "   连接特定的 DNS 后缀 . . . . . . . : \r\n"
      "   描述. . . . . . . . . . . . . . . : TUN Virtual Adapter (tun)\r\n"
      "   物理地址. . . . . . . . . . . . . : \r\n"
      "   DHCP 已启用 . . . . . . . . . . . : 否\r\n"
      "   自动配置已启用. . . . . . . . . . : 是\r\n"
      "   IPv4 地址 . . . . . . . . . . . . : 10.8.0.2(首选)\r\n"
      "   子网掩码  . . . . . . . . . . . . : 255.255.255.0\r\n"
      "   默认网关. . . . . . . . . . . . . : \r\n"
      "   DNS 服务器  . . . . . . . . . . . : 192.168.1.2\r\n"
      "   TCPIP 上的 NetBIOS  . . . . . . . : 已启用\r\n";
  EXPECT_EQ(os::IpconfigAllText(host, {Ethernet(), DisconnectedWireless(), StaticTunnel()}),
            expected);
}

TEST(IpconfigLayout, EveryValueStartsAtByte39) {
  // Chinese characters are two bytes each in the report's encoding.
  for (const char* label : {"主机名  ", "描述", "物理地址", "DHCP 已启用", "自动配置已启用",
                            "本地链接 IPv6 地址", "DHCPv6 客户端 DUID  ", "TCPIP 上的 NetBIOS  "}) {
    Text line = os::IpconfigLine(label, "v");
    SCOPED_TRACE(line);
    EXPECT_EQ(line.substr(36, 3), " : ");
    EXPECT_EQ(line.substr(39), "v\r\n");
    EXPECT_EQ(line[35], '.');
  }
  EXPECT_EQ(os::IpconfigContinuation("v"), Text(39, ' ') + "v\r\n");
}

// The adapter view finds an adapter only when more than ten ". :" follow
// the start of its description within 1300 bytes. For an adapter with one
// static address that takes the IPv6 lines, as on Windows.
TEST(IpconfigLayout, TheIPv6LinesGiveASingleAddressAdapterEnoughSeparators) {
  auto separatorsAfterDescription = [](const os::Adapter& a) {
    Text report = os::IpconfigAllText({}, {a});
    Text window = report.substr(report.find(a.description), 1300);
    int count = 0;
    for (size_t at = window.find(". :"); at != Text::npos; at = window.find(". :", at + 1)) ++count;
    return count;
  };
  os::Adapter single = StaticTunnel();
  single.hardwareAddress = {0x02, 0x4B, 0x56, 0x01, 0x00, 0x05};
  single.defaultGateway = "10.8.0.1";
  EXPECT_LE(separatorsAfterDescription(single), 10);
  single.ipv6LinkLocal = "fe80::4b:56ff:fe01:5%4";
  EXPECT_GT(separatorsAfterDescription(single), 10);
}

TEST(IpconfigLayout, SubnetMasks) {
  EXPECT_EQ(os::SubnetMaskText(24), "255.255.255.0");
  EXPECT_EQ(os::SubnetMaskText(20), "255.255.240.0");
  EXPECT_EQ(os::SubnetMaskText(32), "255.255.255.255");
  EXPECT_EQ(os::SubnetMaskText(0), "0.0.0.0");
}

}  // namespace
