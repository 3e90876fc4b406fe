// The test LAN itself: every device answers from the scanner with its own
// MAC, the two slow ones only after about 20 ms, and taking the LAN down
// (also after a failed start) leaves nothing behind.

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "NetLab.h"
#include "platform/os/Network.h"

namespace {

using netlab::Devices;
using netlab::Lan;

bool NamespacesNamed(const std::string& prefix) {
  std::string list;
  netlab::Shell("ip netns list", &list);
  return list.find(prefix + "-") != std::string::npos;
}

bool ProcessAlive(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string pidField, command, state;
  return stat >> pidField >> command >> state && state != "Z";
}

TEST(NetLab, EveryDeviceAnswersTheScannerAndTheSlowOnesLate) {
  Lan lan;
  if (!lan.Ready()) GTEST_SKIP() << lan.Error();
  auto result = lan.RunInScanner([] {
    std::ostringstream out;
    for (const auto& device : Devices())
      out << os::PingAddress(device.address, 1000) << " " << os::PingAddress(device.address, 5)
          << "\n";
    std::string neighbours;
    netlab::Shell("ip neigh show dev eth0", &neighbours);
    out << neighbours;
    return out.str();
  });
  ASSERT_TRUE(result);
  std::istringstream in(*result);
  for (const auto& device : Devices()) {
    int patient = -2, quick = -2;
    in >> patient >> quick;
    SCOPED_TRACE(device.address);
    if (device.delayed) {
      EXPECT_GE(patient, 20);
      EXPECT_EQ(quick, -1);
    } else {
      EXPECT_GE(patient, 0);
      EXPECT_LT(patient, 20);
      EXPECT_GE(quick, 0);
    }
    EXPECT_NE(result->find(device.address + " lladdr " + device.mac), std::string::npos);
  }
}

TEST(NetLab, DownLeavesNothingBehind) {
  std::string prefix;
  std::vector<int> responders;
  {
    Lan lan;
    if (!lan.Ready()) GTEST_SKIP() << lan.Error();
    prefix = lan.Prefix();
    for (const auto& entry : std::filesystem::directory_iterator("/run/kvnetlab/" + prefix)) {
      int pid = 0;
      std::ifstream(entry.path()) >> pid;
      responders.push_back(pid);
    }
    ASSERT_EQ(responders.size(), 2u);
    for (int pid : responders) EXPECT_TRUE(ProcessAlive(pid));
    EXPECT_TRUE(NamespacesNamed(prefix));
    EXPECT_TRUE(std::filesystem::exists("/etc/netns/" + lan.Scanner() + "/hosts"));
  }
  EXPECT_FALSE(NamespacesNamed(prefix));
  EXPECT_FALSE(std::filesystem::exists("/etc/netns/" + prefix + "-scan"));
  EXPECT_FALSE(std::filesystem::exists("/run/kvnetlab/" + prefix));
  for (int pid : responders) EXPECT_FALSE(ProcessAlive(pid));
}

TEST(NetLab, AFailedUpTearsDownWhatItMade) {
  if (!netlab::NamespaceProblem().empty()) GTEST_SKIP() << netlab::NamespaceProblem();
  // A responder that never writes its pid file makes `up` fail at its very
  // end, after every namespace exists.
  std::string prefix = netlab::UniqueName("fail"), output;
  int status = netlab::Shell(
      std::string("KV_NETLAB_RESPONDER=/bin/true ") + netlab::ScriptPath() + " up " + prefix,
      &output);
  EXPECT_NE(status, 0);
  EXPECT_NE(output.find("responder did not start"), std::string::npos) << output;
  EXPECT_FALSE(NamespacesNamed(prefix));
  EXPECT_FALSE(std::filesystem::exists("/etc/netns/" + prefix + "-scan"));
  EXPECT_FALSE(std::filesystem::exists("/run/kvnetlab/" + prefix));
}

}  // namespace
