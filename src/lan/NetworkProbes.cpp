#include "lan/NetworkProbes.h"

#include <atomic>

#include "platform/os/Network.h"

namespace {

class SystemProbes : public NetworkProbes {
 public:
  int PingAddress(const Text& address, int timeoutMs) override {
    return os::PingAddress(address, timeoutMs);
  }
  Text lookupHostName(const Text& address) override { return os::lookupHostName(address); }
  Text RemoteMacAddress(const Text& address) override { return os::RemoteMacAddress(address); }
  Text LocalAddress() override { return os::LocalAddress(); }
};

SystemProbes systemProbes;
std::atomic<NetworkProbes*> testProbes{nullptr};

}  // namespace

NetworkProbes& Probes() {
  NetworkProbes* probes = testProbes.load();
  return probes ? *probes : systemProbes;
}

void SetProbesForTesting(NetworkProbes* probes) {
  testProbes = probes;
}
