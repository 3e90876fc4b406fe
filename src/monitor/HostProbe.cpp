#include "monitor/HostProbe.h"

#include "platform/os/Network.h"

namespace {

class SystemProbe : public HostProbe {
 public:
  PingReply Ping(const Text& target) override { return pingOnce(target); }
  Text LookUpName(const Text& address) override { return os::lookupHostName(address); }
};

}  // namespace

std::shared_ptr<HostProbe> SystemHostProbe() {
  return std::make_shared<SystemProbe>();
}
