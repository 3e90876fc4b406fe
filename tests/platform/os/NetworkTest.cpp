// The network services that need no namespace: loopback only, and texts
// that are refused before anything is sent.

#include <gtest/gtest.h>
#ifdef _WIN32
#include <winsock2.h>
#else
#include <unistd.h>
#endif

#include "platform/os/IcmpEcho.h"
#include "platform/os/Network.h"
#include "support/IcmpPermission.h"

namespace {

TEST(Network, PingOfLoopbackAnswers) {
  if (std::string why = test::IcmpProblem(); !why.empty()) GTEST_SKIP() << why;
  EXPECT_GE(os::PingAddress("127.0.0.1"), 0);
  EXPECT_GE(os::PingAddress("127.0.0.1", 5), 0);
}

TEST(Network, TextsThatAreNoAddressAreRefusedWithoutALookup) {
  // Neither is converted to an address, so nothing is asked of the resolver.
  for (const char* text : {"", "not an address", "255.255.255.255", "1.2.3.4.5"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(os::lookupHostName(text), "");
    EXPECT_EQ(os::RemoteMacAddress(text), "");
  }
  EXPECT_EQ(os::PingAddress(""), -1);
}

TEST(Network, LocalHostNameIsTheSystemsName) {
  char name[256] = {};
#ifdef _WIN32
  WSADATA data;
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
#endif
  ASSERT_EQ(gethostname(name, sizeof name - 1), 0);
  EXPECT_EQ(os::LocalHostName(), name);
}

}  // namespace
