#pragma once
// The network adapters of this machine, as the local information window and
// the ipconfig program show them.

#include <vector>

#include "text/Text.h"

namespace os {

enum class AdapterType { Ethernet, Wireless, Tunnel, Other };

struct AdapterAddress {
  Text address;  // dotted IPv4 address
  int prefixLength = 0;
};

struct Adapter {
  Text name;  // interface name, e.g. eth0
  int index = 0;
  // What the system knows of the device, e.g. "Virtual Ethernet Adapter (veth)";
  // never empty; a repeated description gets " #2", " #3" ... as on Windows.
  Text description;
  AdapterType type = AdapterType::Other;
  std::vector<unsigned char> hardwareAddress;  // empty when the device has none
  bool up = false;                             // administratively up
  bool running = false;                        // up with media connected
  std::vector<AdapterAddress> ipv4;            // in the order the system lists them
  Text defaultGateway;                         // dotted address, empty when none
  bool dhcpEnabled = false;                    // a current lease names this interface
  Text dhcpServer;                             // empty when unknown
  Text leaseObtained;  // local time "2024年5月6日 9:12:33", empty when unknown
  Text leaseExpires;
  Text dnsSuffix;  // connection-specific suffix from the lease
  std::vector<Text> dnsServers;
  Text ipv6LinkLocal;  // "fe80::1%2", empty when none
};

// Every interface that is administratively up and not loopback, in
// interface-index order; one without a carrier has `running` false. Empty
// when the interfaces cannot be read.
std::vector<Adapter> ListAdapters();

// The resolver configuration (/etc/resolv.conf).
struct ResolverConfig {
  std::vector<Text> servers;
  std::vector<Text> searchDomains;
};
ResolverConfig ReadResolverConfig();

}  // namespace os
