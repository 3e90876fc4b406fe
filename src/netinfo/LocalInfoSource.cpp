#include "netinfo/LocalInfoSource.h"

#include "platform/os/Adapters.h"
#include "platform/os/Network.h"

namespace {

class SystemSource : public LocalInfoSource {
 public:
  std::vector<Text> AdapterDescriptions() override {
    std::vector<Text> descriptions;
    for (const os::Adapter& adapter : os::ListAdapters())
      descriptions.push_back(adapter.description);
    return descriptions;
  }
  Text HostName() override { return os::LocalHostName(); }
  IpconfigReport AdapterReport(const Text& adapterKey) override {
    return loadIpconfigReport(adapterKey);
  }
};

}  // namespace

std::shared_ptr<LocalInfoSource> SystemLocalInfoSource() {
  return std::make_shared<SystemSource>();
}
