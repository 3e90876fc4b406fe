#include <gtest/gtest.h>

#include "NetLab.h"
#include "monitor/PingReply.h"

namespace {

// A name that resolves nowhere, asked inside a namespace of our own whose
// resolver is its own loopback: no query leaves the machine.
TEST(PingOnceInNamespace, UnknownNameIsHostNotFound) {
  netlab::Namespace ns;
  if (!ns.Ready()) GTEST_SKIP() << ns.Error();
  ASSERT_TRUE(ns.WriteEtcFile("resolv.conf", "nameserver 127.0.0.1\n"));
  ASSERT_TRUE(ns.WriteEtcFile("hosts", "127.0.0.1 localhost\n"));
  auto got = netlab::RunInNamespace(ns.Name(), [] {
    PingReply r = pingOnce("no-such-host.invalid");
    return std::to_string(r.replied) + "|" + r.resultText + "|" + r.address + "|" + r.timeText;
  });
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(*got, "0|找不到主机||");
}

}  // namespace
