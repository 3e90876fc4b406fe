#pragma once
// The parts of the adapter list that come from the device and from the DHCP
// client's lease files.

#include <ctime>
#include <string>
#include <vector>

#include "platform/os/Adapters.h"

namespace os {

struct DeviceInfo {
  AdapterType type = AdapterType::Other;
  Text description;
};

// From the kind of device the kernel reports (driver, virtual link kind,
// udev's hardware database) and the link type (ARPHRD_*).
DeviceInfo DescribeDevice(const std::string& name, int index, int linkType);

struct DhcpLease {
  bool found = false;
  Text server;
  Text domain;
  std::time_t obtained = 0;  // 0 when unknown
  std::time_t expires = 0;
};

// The current lease of the interface from the files of systemd-networkd,
// NetworkManager, dhclient or dhcpcd; a lease counts only when its address
// is one of the interface's addresses.
DhcpLease FindDhcpLease(const std::string& name, int index,
                        const std::vector<AdapterAddress>& addresses);

}  // namespace os
