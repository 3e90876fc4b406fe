#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "netinfo/IpconfigReport.h"

namespace {

// "ipconfig /all" reports: GBK with CR LF, the values at byte column 39.
Text ReadFixture(const char* name) {
  std::ifstream in(std::string(KV_FIXTURES_DIR) + "/ipconfig/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const Text kKey = "Example Gigabit Adapter";

struct ReportCase {
  const char* what;
  Text report;
  Text key;
  IpconfigReport expected;
};

void ExpectReport(const ReportCase& c) {
  IpconfigReport r = parseIpconfigReport(c.report, c.key);
  const IpconfigReport& e = c.expected;
  EXPECT_EQ(r.found, e.found) << c.what;
  EXPECT_EQ(r.ipv4Addresses, e.ipv4Addresses) << c.what;
  EXPECT_EQ(r.macAddress, e.macAddress) << c.what;
  EXPECT_EQ(r.subnetMasks, e.subnetMasks) << c.what;
  EXPECT_EQ(r.defaultGateway, e.defaultGateway) << c.what;
  EXPECT_EQ(r.dhcpServer, e.dhcpServer) << c.what;
  EXPECT_EQ(r.primaryDns, e.primaryDns) << c.what;
  EXPECT_EQ(r.secondaryDns, e.secondaryDns) << c.what;
  EXPECT_EQ(r.dhcpEnabled, e.dhcpEnabled) << c.what;
}

TEST(IpconfigReport, DhcpBlockWindowHoldsTheWholeBlockWith11Separators) {
  Text report = ReadFixture("dhcp_two_dns.txt");
  Text window = mid(report, find(report, kKey), 1300);
  // The block is shorter than the window: the window ends with the report.
  EXPECT_EQ(length(window), 619);
  EXPECT_EQ(window, right(report, length(window)));
  EXPECT_EQ(TextSplit(window, ". :").size(), 12u);
}

TEST(IpconfigReport, ReadsWholeAdapterBlocks) {
  const ReportCase cases[] = {
      {"dhcp, two dns servers",
       ReadFixture("dhcp_two_dns.txt"),
       kKey,
       {true, "192.168.1.23", "00:1A:2B:3C:4D:5E", "255.255.255.0", "192.168.1.1", "192.168.1.1",
        "192.168.1.1", "192.0.2.8", "是"}},
      {"fixed, two addresses",
       ReadFixture("fixed_two_addresses.txt"),
       kKey,
       {true, "10.0.0.6;10.0.0.5", "00:1A:2B:3C:4D:5E", "255.255.0.0;255.0.0.0", "10.0.0.1", "",
        "10.0.0.1", "", "否"}},
      {"ten segments", ReadFixture("fixed_ten_segments.txt"), kKey, {}},
  };
  for (const auto& c : cases) ExpectReport(c);
}

TEST(IpconfigReport, DnsServersAreCutOutByText) {
  const Text report = ReadFixture("dhcp_two_dns.txt");
  // Every occurrence of the first server leaves the second: a second server
  // that begins with the first loses that part.
  const Text containing = replaceAll(report, "192.0.2.8", "192.168.1.10");
  // The report ends right after the first server, before its CR LF: a value
  // segment without a line break gives an empty value, and the rest of the
  // segment is read as the further servers.
  const Text cut = left(report, find(report, "192.168.1.1", find(report, "DNS 服务器")) + 10);
  const ReportCase cases[] = {
      {"second dns server contains the first",
       containing,
       kKey,
       {true, "192.168.1.23", "00:1A:2B:3C:4D:5E", "255.255.255.0", "192.168.1.1", "192.168.1.1",
        "192.168.1.1", "0", "是"}},
      {"value segment without CR LF",
       cut,
       kKey,
       {true, "192.168.1.23", "00:1A:2B:3C:4D:5E", "255.255.255.0", "192.168.1.1", "192.168.1.1",
        "", "192.168.1.1", "是"}},
  };
  for (const auto& c : cases) ExpectReport(c);
}

TEST(IpconfigReport, WindowAndLabelRules) {
  const Text endsInLabel = ReadFixture("window_ends_in_label.txt");
  // The same report cut inside the next adapter's physical address label.
  const Text endsInMacLabel = left(
      endsInLabel, find(endsInLabel, "物理地址", find(endsInLabel, "Example USB Adapter")) + 8);
  const ReportCase cases[] = {
      // The key first occurs as the start of a longer description; the window
      // (which ends among that adapter's DNS servers) reads that adapter.
      {"key inside a longer description",
       ReadFixture("longer_key_first.txt"),
       kKey,
       {true, "192.168.7.21;192.168.7.20", "00:1A:2B:3C:4D:60", "255.255.255.0;255.255.255.0",
        "fe80::1%7", "192.168.7.1", "fec0:0:0:ffff::1%1", "fec0:0:0:ffff::2%1", "是"}},
      // A disconnected adapter without addresses; the next adapter in the
      // window replaces its physical address and gives the addresses.
      {"window runs into the next block",
       ReadFixture("next_adapter_in_window.txt"),
       "Example Wireless Adapter",
       {true, "192.168.1.23", "00:1A:2B:3C:4D:5E", "255.255.255.0", "192.168.1.1", "192.168.1.1",
        "192.168.1.1", "", "是"}},
      // Three servers; several "(首选)"; a label that contains "IPv4 地址";
      // a physical address without "-".
      {"three dns servers",
       ReadFixture("three_dns.txt"),
       kKey,
       {true, "169.254.10.20;10.0.0.7;10.0.0.5", "001A2B3C4D5E",
        "255.255.0.0;255.255.0.0;255.0.0.0", "10.0.0.1", "", "10.0.0.2", "10.0.0.310.0.0.4", "否"}},
      // A label in the last segment has no value after it: its field becomes
      // empty, a list field too.
      {"window ends in an IPv4 label",
       endsInLabel,
       kKey,
       {true, "", "00:1A:2B:3C:4D:71", "255.255.0.0", "10.1.0.1", "10.1.0.1", "10.1.0.1", "",
        "否"}},
      {"report ends in a physical address label",
       endsInMacLabel,
       kKey,
       {true, "10.1.0.5", "", "255.255.0.0", "10.1.0.1", "10.1.0.1", "10.1.0.1", "", "是"}},
      {"empty report", "", kKey, {}},
      {"key absent", ReadFixture("dhcp_two_dns.txt"), "Example Wireless Adapter", {}},
      {"empty key", ReadFixture("dhcp_two_dns.txt"), "", {}},
  };
  for (const auto& c : cases) ExpectReport(c);
}

}  // namespace
