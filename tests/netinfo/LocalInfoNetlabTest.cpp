// The real adapter list, host name and ipconfig report, and the real window,
// inside a namespace whose one adapter the test sets up: a veth with two
// IPv4 addresses, a default route and two DNS servers.

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <sstream>

#include "NetLab.h"
#include "netinfo/LocalInfoSource.h"

namespace {

class LocalInfoInNamespace : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ns_ = new netlab::Namespace;
    peer_ = new netlab::Namespace;
    if (!ns_->Ready()) {
      problem_ = ns_->Error();
      return;
    }
    if (!peer_->Ready()) {
      problem_ = peer_->Error();
      return;
    }
    const std::string in = "ip -n " + ns_->Name() + " ";
    std::string output;
    if (netlab::Shell(in + "link add eth0 address 02:4b:56:02:00:07 type veth peer name p0 netns " +
                          peer_->Name() + " && ip -n " + peer_->Name() + " link set p0 up && " +
                          in + "addr add 10.80.0.7/24 dev eth0 && " + in +
                          "addr add 172.20.80.8/16 dev eth0 && " + in + "link set eth0 up && " +
                          in + "route add default via 10.80.0.1",
                      &output) != 0) {
      problem_ = "setting up the adapter failed: " + output;
      return;
    }
    // The report's IPv6 lines come once the kernel has made the link-local
    // address, a moment after the link is up; wait for them to be steady.
    for (int i = 0; i < 300 && output.find("inet6 fe80") == std::string::npos; ++i) {
      usleep(10000);
      netlab::Shell(in + "addr show dev eth0 up", &output);
    }
    if (!ns_->WriteEtcFile("resolv.conf", "nameserver 10.80.0.53\nnameserver 10.80.0.54\n"))
      problem_ = "cannot write the namespace's resolv.conf";
  }
  static void TearDownTestSuite() {
    delete ns_;
    delete peer_;
  }
  void SetUp() override {
    if (!problem_.empty()) GTEST_SKIP() << problem_;
  }

  static netlab::Namespace* ns_;
  static netlab::Namespace* peer_;
  static std::string problem_;
};
netlab::Namespace* LocalInfoInNamespace::ns_ = nullptr;
netlab::Namespace* LocalInfoInNamespace::peer_ = nullptr;
std::string LocalInfoInNamespace::problem_;

std::string HostName() {
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  return host;
}

TEST_F(LocalInfoInNamespace, TheSystemSourceReadsTheAdapter) {
  auto result = netlab::RunInNamespace(ns_->Name(), [] {
    auto source = SystemLocalInfoSource();
    std::vector<Text> adapters = source->AdapterDescriptions();
    if (adapters.size() != 1) return "adapters: " + std::to_string(adapters.size());
    IpconfigReport r = source->AdapterReport(adapters[0]);
    return std::string(r.found ? "found" : "not found") + "|" + r.ipv4Addresses + "|" +
           r.macAddress + "|" + r.subnetMasks + "|" + r.defaultGateway + "|" + r.dhcpServer + "|" +
           r.primaryDns + "|" + r.secondaryDns + "|" + r.dhcpEnabled + "|" + source->HostName();
  });
  ASSERT_TRUE(result);
  EXPECT_EQ(*result,
            "found|172.20.80.8;10.80.0.7|02:4B:56:02:00:07|255.255.0.0;255.255.255.0|"
            "10.80.0.1||10.80.0.53|10.80.0.54|否|" +
                HostName());
}

TEST_F(LocalInfoInNamespace, TheWindowShowsTheAdapter) {
  std::string output;
  int status = ns_->Exec("env QT_QPA_PLATFORM=offscreen " KV_LOCAL_INFO_PROBE, &output);
  ASSERT_EQ(status, 0) << output;
  std::map<std::string, std::string> shown;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    size_t equals = line.find('=');
    if (equals != std::string::npos) shown[line.substr(0, equals)] = line.substr(equals + 1);
  }
  EXPECT_EQ(shown.count("message"), 0u) << output;
  EXPECT_FALSE(shown["组合框1"].empty()) << output;
  EXPECT_EQ(shown["主机名_编辑框"], HostName());
  EXPECT_EQ(shown["物理地址_编辑框"], "02:4B:56:02:00:07");
  EXPECT_EQ(shown["IP地址_编辑框"], "172.20.80.8;10.80.0.7");
  EXPECT_EQ(shown["子网掩码_编辑框"], "255.255.0.0;255.255.255.0");
  EXPECT_EQ(shown["网关_编辑框"], "10.80.0.1");
  EXPECT_EQ(shown["是否DHCP_标签"], "否");
  EXPECT_EQ(shown["DHCP_编辑框"], "手动配置");
  EXPECT_EQ(shown["主DNS_编辑框"], "10.80.0.53");
  EXPECT_EQ(shown["副DNS_编辑框"], "10.80.0.54");
}

}  // namespace
