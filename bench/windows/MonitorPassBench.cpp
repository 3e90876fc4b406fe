// monitor_pass_bench: one monitoring pass over 127.0.0.1 ... 127.0.0.50, as
// the test cycle makes it (pingOnce: the console ping, its capture and the
// parse), beside the same 50 echoes made in-process (the floor), measured
// in the same run. Built for Linux and for Windows, so that the figure
// under Wine stands beside the Linux one. Loopback only.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "monitor/PingReply.h"
#include "platform/os/Network.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kHosts = 50;
constexpr int kPasses = 5;

template <class F>
double MedianPassMs(F&& pingOne) {
  std::vector<double> passes;
  for (int pass = 0; pass < kPasses; ++pass) {
    const auto start = Clock::now();
    for (int host = 1; host <= kHosts; ++host) pingOne("127.0.0." + std::to_string(host));
    passes.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(passes.begin(), passes.end());
  return passes[passes.size() / 2];
}

}  // namespace

int main() {
  int replied = 0;
  const double monitor = MedianPassMs([&](const Text& host) { replied += pingOnce(host).replied; });
  int floorReplies = 0;
  const double floor = MedianPassMs([&](const Text& host) {
    if (os::PingAddress(host, 1000) >= 0) ++floorReplies;
  });
  std::printf(
      "monitoring pass over %d loopback rows: median %.1f ms (%.2f ms a row), %d of %d replied\n",
      kHosts, monitor, monitor / kHosts, replied, kHosts * kPasses);
  std::printf("in-process echoes, same rows: median %.1f ms, %d of %d replied\n", floor,
              floorReplies, kHosts * kPasses);
  if (floor > 0) std::printf("ratio pass/in-process: %.1f\n", monitor / floor);
  return 0;
}
