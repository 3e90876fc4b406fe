#pragma once
// What the local information window reads about this machine: the adapter
// list, the host name and one adapter's settings. The window reaches them
// only through this interface, so a test can script them.

#include <memory>
#include <vector>

#include "netinfo/IpconfigReport.h"
#include "text/Text.h"

class LocalInfoSource {
 public:
  virtual ~LocalInfoSource() = default;
  // The adapters' descriptions in the order of the system's adapter list;
  // empty when there is no adapter or the list cannot be taken.
  virtual std::vector<Text> AdapterDescriptions() = 0;
  // Empty when the name cannot be taken.
  virtual Text HostName() = 0;
  // The settings of the adapter whose description is adapterKey.
  virtual IpconfigReport AdapterReport(const Text& adapterKey) = 0;
};

// The machine's own adapters, host name and "ipconfig /all" report.
std::shared_ptr<LocalInfoSource> SystemLocalInfoSource();
