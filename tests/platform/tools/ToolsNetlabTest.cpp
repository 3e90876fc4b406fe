// The ping and ipconfig programs inside namespaces of the test's own: the
// test LAN for names, time-outs and unknown hosts; small namespaces for an
// unreachable host, missing permission and known adapters.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>

#include "ProgramOutput.h"
#include "netlab/LanSuite.h"
#include "platform/tools/IpconfigLayout.h"
#include "platform/tools/PingReport.h"

namespace {

const std::string kPing = KV_PING;
const std::string kIpconfig = KV_IPCONFIG;

class PingInLan : public netlab::LanSuite {
 protected:
  static ProgramRun Ping(const std::string& arguments) {
    return RunProgram("ip netns exec " + lan_->Scanner() + " " + kPing + " " + arguments);
  }
};

TEST_F(PingInLan, NameGetsTheResolvedAddressInBrackets) {
  ProgramRun run = Ping("kv-nas01 -n 1");
  EXPECT_EQ(run.status, 0);
  std::vector<std::string> lines = CrLfLines(run.output);
  ASSERT_EQ(lines.size(), 8u) << run.output;
  EXPECT_EQ(lines[1], "正在 Ping kv-nas01 [10.77.0.2] 具有 32 字节的数据:");
  EXPECT_TRUE(StartsWith(lines[2], "来自 10.77.0.2 的回复: 字节=32 时间")) << lines[2];
  EXPECT_EQ(lines[4], "10.77.0.2 的 Ping 统计信息:");
}

TEST_F(PingInLan, UnknownNamePrintsOnlyTheNotFoundLine) {
  ProgramRun run = Ping("no-such-host.invalid");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, "Ping 请求找不到主机 no-such-host.invalid。请检查该名称，然后重试。\r\n");
}

TEST_F(PingInLan, TimeOutsCountAsLostAndNoTimeIsShown) {
  // 10.77.0.200 answers after 20 ms.
  auto start = std::chrono::steady_clock::now();
  ProgramRun run = Ping("10.77.0.200 -n 2 -w 5");
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(run.status, 1);
  std::vector<std::string> lines = CrLfLines(run.output);
  ASSERT_EQ(lines.size(), 7u) << run.output;
  EXPECT_EQ(lines[1], "正在 Ping 10.77.0.200 具有 32 字节的数据:");
  EXPECT_EQ(lines[2], "请求超时。");
  EXPECT_EQ(lines[3], "请求超时。");
  EXPECT_EQ(lines[5], "10.77.0.200 的 Ping 统计信息:");
  EXPECT_EQ(lines[6], "    数据包: 已发送 = 2，已接收 = 0，丢失 = 2 (100% 丢失)，");
  // One second between the two requests, and no wait after the last.
  EXPECT_GE(elapsed, std::chrono::milliseconds(1000));
  EXPECT_LT(elapsed, std::chrono::milliseconds(1800));
}

// A namespace with a link on which 10.79.0.9 never answers and fails fast.
class PingInNamespace : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ns_.Ready()) GTEST_SKIP() << ns_.Error();
    std::string output;
    ASSERT_EQ(ns_.Exec("sh -c 'ip link add v0 type veth peer name v1 && ip link set v1 up && "
                       "ip addr add 10.79.0.1/24 dev v0 && ip link set v0 up && "
                       "echo 1 >/proc/sys/net/ipv4/neigh/v0/mcast_solicit && "
                       "echo 100 >/proc/sys/net/ipv4/neigh/v0/retrans_time_ms'",
                       &output),
              0)
        << output;
  }
  netlab::Namespace ns_;
};

TEST_F(PingInNamespace, UnreachableHostIsAReplyFromTheSender) {
  ProgramRun run = RunProgram("ip netns exec " + ns_.Name() + " " + kPing + " 10.79.0.9 -n 1");
  EXPECT_EQ(run.status, 0);  // Windows counts it as received
  std::vector<std::string> lines = CrLfLines(run.output);
  ASSERT_EQ(lines.size(), 6u) << run.output;
  EXPECT_EQ(lines[2], "来自 10.79.0.1 的回复: 无法访问目标主机。");
  EXPECT_EQ(lines[5], "    数据包: 已发送 = 1，已接收 = 1，丢失 = 0 (0% 丢失)，");
}

TEST_F(PingInNamespace, WithoutPermissionOneLineSaysWhatIsMissing) {
  // A new namespace lets no group use datagram ICMP sockets; nobody has no
  // raw sockets either.
  ProgramRun run = RunProgram("ip netns exec " + ns_.Name() +
                              " setpriv --reuid=65534 --regid=65534 --clear-groups " + kPing +
                              " 127.0.0.1 -n 1");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, os::PingNoPermission());
  for (const char* marker :
       {"的回复: 字节=", "的 Ping", "] 具有", "无法访问目标主机", "请求找不到主机", "请求超时"})
    EXPECT_EQ(run.output.find(marker), std::string::npos) << marker;
}

TEST(IpconfigProgram, ReportsTheAdaptersOfItsNamespace) {
  netlab::Namespace ns, peer;
  if (!ns.Ready()) GTEST_SKIP() << ns.Error();
  ASSERT_TRUE(peer.Ready()) << peer.Error();
  // eth0: connected, two addresses, default route; eth1: peer down, so no media.
  std::string output;
  const std::string in = "ip -n " + ns.Name() + " ";
  ASSERT_EQ(
      netlab::Shell(in + "link add eth0 address 02:4b:56:01:00:05 type veth peer name p0 netns " +
                        peer.Name() + " && " + in +
                        "link add eth1 address 02:4b:56:01:00:06 type veth peer name p1 netns " +
                        peer.Name() + " && ip -n " + peer.Name() + " link set p0 up && " + in +
                        "addr add 10.78.0.5/24 dev eth0 && " + in +
                        "addr add 192.168.78.6/16 dev eth0 && " + in + "link set eth0 up && " + in +
                        "link set eth1 up && " + in + "route add default via 10.78.0.1",
                    &output),
      0)
      << output;
  // The kernel reports the carrier, and then makes the link-local address,
  // a moment after the link is up.
  std::string shown;
  for (int i = 0; i < 300 && shown.find("inet6 fe80") == std::string::npos; ++i) {
    usleep(10000);
    netlab::Shell(in + "addr show dev eth0 up", &shown);
  }
  ASSERT_NE(shown.find("inet6 fe80"), std::string::npos) << shown;
  ASSERT_TRUE(ns.WriteEtcFile("resolv.conf",
                              "nameserver 10.78.0.53\nnameserver 10.78.0.54\nsearch kv.test\n"));

  ProgramRun run = RunProgram("ip netns exec " + ns.Name() + " " + kIpconfig + " /all");
  EXPECT_EQ(run.status, 0);
  std::vector<std::string> lines = CrLfLines(run.output);
  std::vector<std::string> expected = {
      "",
      "Windows IP 配置",
      "",
      "   主机名  . . . . . . . . . . . . . : ",  // value checked below
      "   主 DNS 后缀 . . . . . . . . . . . : ",
      "   节点类型  . . . . . . . . . . . . : 混合",
      "   IP 路由已启用 . . . . . . . . . . : 否",
      "   WINS 代理已启用 . . . . . . . . . : 否",
      "   DNS 后缀搜索列表  . . . . . . . . : kv.test",
      "",
      "以太网适配器 eth0:",
      "",
      "   连接特定的 DNS 后缀 . . . . . . . : ",
      "   描述. . . . . . . . . . . . . . . : Virtual Ethernet Adapter (veth)",
      "   物理地址. . . . . . . . . . . . . : 02-4B-56-01-00-05",
      "   DHCP 已启用 . . . . . . . . . . . : 否",
      "   自动配置已启用. . . . . . . . . . : 是",
      "   本地链接 IPv6 地址. . . . . . . . : fe80::4b:56ff:fe01:5%",  // index checked below
      "   IPv4 地址 . . . . . . . . . . . . : 10.78.0.5(首选)",
      "   子网掩码  . . . . . . . . . . . . : 255.255.255.0",
      "   IPv4 地址 . . . . . . . . . . . . : 192.168.78.6(首选)",
      "   子网掩码  . . . . . . . . . . . . : 255.255.0.0",
      "   默认网关. . . . . . . . . . . . . : 10.78.0.1",
      "   DHCPv6 IAID . . . . . . . . . . . : ",  // checked below
      "   DHCPv6 客户端 DUID  . . . . . . . : 00-03-00-01-02-4B-56-01-00-05",
      "   DNS 服务器  . . . . . . . . . . . : 10.78.0.53",
      "                                       10.78.0.54",
      "   TCPIP 上的 NetBIOS  . . . . . . . : 已启用",
      "",
      "以太网适配器 eth1:",
      "",
      "   媒体状态  . . . . . . . . . . . . : 媒体已断开连接",
      "   连接特定的 DNS 后缀 . . . . . . . : ",
      "   描述. . . . . . . . . . . . . . . : Virtual Ethernet Adapter (veth) #2",
      "   物理地址. . . . . . . . . . . . . : 02-4B-56-01-00-06",
      "   DHCP 已启用 . . . . . . . . . . . : 否",
      "   自动配置已启用. . . . . . . . . . : 是",
  };
  ASSERT_EQ(lines.size(), expected.size()) << run.output;
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    if (i == 3 || i == 17 || i == 23)
      EXPECT_TRUE(StartsWith(lines[i], expected[i])) << lines[i];
    else
      EXPECT_EQ(lines[i], expected[i]);
  }
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  EXPECT_EQ(lines[3], expected[3] + std::string(host).substr(0, std::string(host).find('.')));
  // The interface index behind the link-local address, and the IAID made of
  // it and the end of the hardware address.
  int index = std::atoi(lines[17].substr(expected[17].size()).c_str());
  EXPECT_TRUE(EndsWith(lines[17], "%" + std::to_string(index) + "(首选)")) << lines[17];
  EXPECT_EQ(lines[23], expected[23] + std::to_string((index << 24) | 0x010005));
}

}  // namespace
