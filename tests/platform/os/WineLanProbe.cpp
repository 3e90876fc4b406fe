// Run under Wine inside the scanner's namespace of the test LAN by
// wine-lan-test.sh: one line per check, "name value", for the script to
// compare. The addresses are those of lan.sh.
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/os/Network.h"

int main() {
  using Clock = std::chrono::steady_clock;
  std::printf("live %d\n", os::PingAddress("10.77.0.2", 1000));
  auto start = Clock::now();
  int silent = os::PingAddress("10.77.0.77", 5);
  long long ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  std::printf("silent %d %lld\n", silent, ms);
  os::PingAddress("10.77.0.50", 1000);  // the echo fills the neighbour table
  std::printf("mac %s\n", os::RemoteMacAddress("10.77.0.50").c_str());
  std::printf("nameless-mac [%s]\n", os::RemoteMacAddress("10.77.0.3").c_str());
  std::printf("name %s\n", os::lookupHostName("10.77.0.2").c_str());
  std::printf("local %s\n", os::LocalAddress().c_str());
  return 0;
}
