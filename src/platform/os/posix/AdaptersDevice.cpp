// What kind of device an interface is, in words a user recognises: the
// hardware database entry udev keeps for it, or else the name of the driver
// (which for virtual links is the kind of link: veth, bridge, tun ...).

#include <linux/ethtool.h>
#include <linux/sockios.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/os/posix/NetAdapterParts.h"

namespace os {
namespace {

namespace fs = std::filesystem;

bool IsPlainText(const std::string& s) {
  for (unsigned char c : s)
    if (c < 0x20 || c >= 0x7f) return false;
  return !s.empty();
}

std::string ReadLine(const fs::path& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

std::string DriverOf(const std::string& name) {
  int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd >= 0) {
    ethtool_drvinfo info{};
    info.cmd = ETHTOOL_GDRVINFO;
    ifreq request{};
    std::strncpy(request.ifr_name, name.c_str(), IFNAMSIZ - 1);
    request.ifr_data = reinterpret_cast<char*>(&info);
    int ok = ioctl(fd, SIOCETHTOOL, &request);
    close(fd);
    if (ok == 0) {
      info.driver[sizeof info.driver - 1] = '\0';
      if (info.driver[0]) return info.driver;
    }
  }
  std::error_code error;
  fs::path driver = fs::read_symlink(fs::path("/sys/class/net") / name / "device/driver", error);
  return error ? std::string() : driver.filename().string();
}

// "Vendor Model" from udev's hardware database, when udev has seen the device.
std::string HardwareName(int index) {
  std::ifstream file("/run/udev/data/n" + std::to_string(index));
  std::string line, vendor, model;
  while (std::getline(file, line)) {
    if (line.rfind("E:ID_VENDOR_FROM_DATABASE=", 0) == 0) vendor = line.substr(26);
    if (line.rfind("E:ID_MODEL_FROM_DATABASE=", 0) == 0) model = line.substr(25);
  }
  if (!IsPlainText(model)) return {};
  return IsPlainText(vendor) ? vendor + " " + model : model;
}

std::string VirtualKind(const std::string& driver, const std::string& name) {
  if (driver == "veth") return "Virtual Ethernet Adapter";
  if (driver == "bridge") return "Network Bridge";
  if (driver == "tun") {
    // IFF_TAP in the device's flags tells a TAP (Ethernet) from a TUN (IP) device.
    std::string flags = ReadLine(fs::path("/sys/class/net") / name / "tun_flags");
    bool tap = std::strtoul(flags.c_str(), nullptr, 16) & 0x0002;
    return tap ? "TAP Virtual Adapter" : "TUN Virtual Adapter";
  }
  if (driver == "dummy") return "Dummy Network Adapter";
  if (driver == "ifb") return "Intermediate Functional Block";
  if (driver == "bonding") return "Bonded Network Adapter";
  if (driver == "802.1Q VLAN Support" || driver == "8021q") return "VLAN Adapter";
  if (driver == "macvlan" || driver == "ipvlan") return "Virtual Network Adapter";
  if (driver == "vxlan" || driver == "wireguard" || driver == "geneve") return "Tunnel Adapter";
  return {};
}

std::string DriverLabel(const std::string& driver) {
  return driver == "802.1Q VLAN Support" ? std::string("8021q") : driver;
}

}  // namespace

DeviceInfo DescribeDevice(const std::string& name, int index, int linkType) {
  DeviceInfo info;
  fs::path sys = fs::path("/sys/class/net") / name;
  std::error_code error;
  bool wireless = fs::exists(sys / "wireless", error) || fs::exists(sys / "phy80211", error);
  bool hardware = fs::exists(sys / "device", error);
  if (wireless)
    info.type = AdapterType::Wireless;
  else if (linkType == ARPHRD_ETHER)
    info.type = AdapterType::Ethernet;
  else if (linkType == ARPHRD_TUNNEL || linkType == ARPHRD_TUNNEL6 || linkType == ARPHRD_SIT ||
           linkType == ARPHRD_IPGRE || linkType == ARPHRD_NONE)
    info.type = AdapterType::Tunnel;

  std::string driver = DriverOf(name);
  std::string description = hardware ? HardwareName(index) : std::string();
  if (description.empty() && IsPlainText(driver)) {
    std::string kind = VirtualKind(driver, name);
    if (kind.empty())
      kind = wireless   ? "Wireless Network Adapter"
             : hardware ? "Ethernet Adapter"
                        : "Virtual Network Adapter";
    description = kind + " (" + DriverLabel(driver) + ")";
  }
  if (description.empty())
    description =
        (info.type == AdapterType::Tunnel ? "Tunnel Adapter (" : "Network Adapter (") + name + ")";
  info.description = description;
  return info;
}

}  // namespace os
