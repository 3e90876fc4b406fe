// Whether an interface got its address from DHCP, read from the lease files
// of the common Linux DHCP clients. A lease counts only when it holds one of
// the interface's current addresses, so an old file of an interface now set
// by hand does not make it look like DHCP.

#include <arpa/inet.h>
#include <glob.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/os/posix/NetAdapterParts.h"

namespace os {
namespace {

bool HoldsAddress(const std::vector<AdapterAddress>& addresses, const std::string& address) {
  for (const AdapterAddress& a : addresses)
    if (a.address == address) return true;
  return false;
}

std::vector<std::string> Glob(const std::string& pattern) {
  std::vector<std::string> paths;
  glob_t found{};
  if (glob(pattern.c_str(), 0, nullptr, &found) == 0)
    for (size_t i = 0; i < found.gl_pathc; ++i) paths.push_back(found.gl_pathv[i]);
  globfree(&found);
  return paths;
}

std::time_t ModifiedTime(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? info.st_mtime : 0;
}

// KEY=VALUE lease files of systemd-networkd and of NetworkManager's own client.
DhcpLease ReadKeyValueLease(const std::string& path, const std::vector<AdapterAddress>& addresses) {
  DhcpLease lease;
  std::ifstream file(path);
  std::string line, address;
  long lifetime = 0;
  while (std::getline(file, line)) {
    auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key == "ADDRESS") address = value;
    if (key == "SERVER_ADDRESS") lease.server = value;
    if (key == "DOMAINNAME") lease.domain = value;
    if (key == "LIFETIME") lifetime = std::atol(value.c_str());
  }
  if (address.empty() || !HoldsAddress(addresses, address)) return {};
  lease.found = true;
  lease.obtained = ModifiedTime(path);
  if (lease.obtained && lifetime > 0) lease.expires = lease.obtained + lifetime;
  return lease;
}

std::string Unquote(std::string s) {
  if (!s.empty() && s.back() == ';') s.pop_back();
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return s;
}

// "expire 2 2024/05/07 09:12:33;" (UTC) or "expire epoch 1715072000;".
std::time_t DhclientTime(std::istringstream& words) {
  std::string first, date, clock;
  words >> first;
  if (first == "epoch") {
    std::string seconds;
    words >> seconds;
    return std::atoll(seconds.c_str());
  }
  words >> date >> clock;
  std::tm utc{};
  if (std::sscanf(date.c_str(), "%d/%d/%d", &utc.tm_year, &utc.tm_mon, &utc.tm_mday) != 3 ||
      std::sscanf(clock.c_str(), "%d:%d:%d", &utc.tm_hour, &utc.tm_min, &utc.tm_sec) != 3)
    return 0;
  utc.tm_year -= 1900;
  utc.tm_mon -= 1;
  return timegm(&utc);
}

// dhclient's lease database: blocks "lease { ... }"; the last one of the
// interface is the newest.
DhcpLease ReadDhclientLeases(const std::string& path, const std::string& name,
                             const std::vector<AdapterAddress>& addresses) {
  DhcpLease newest;
  std::ifstream file(path);
  std::string line;
  DhcpLease lease;
  std::string interface, address;
  long leaseTime = 0;
  while (std::getline(file, line)) {
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "lease") {
      lease = DhcpLease();
      interface.clear();
      address.clear();
      leaseTime = 0;
    } else if (word == "interface") {
      words >> interface;
      interface = Unquote(interface);
    } else if (word == "fixed-address") {
      words >> address;
      address = Unquote(address);
    } else if (word == "option") {
      std::string option, value;
      words >> option >> value;
      if (option == "dhcp-server-identifier") lease.server = Unquote(value);
      if (option == "domain-name") lease.domain = Unquote(value);
      if (option == "dhcp-lease-time") leaseTime = std::atol(value.c_str());
    } else if (word == "expire") {
      lease.expires = DhclientTime(words);
    } else if (word == "}") {
      if (interface == name && HoldsAddress(addresses, address)) {
        newest = lease;
        newest.found = true;
        if (newest.expires && leaseTime > 0) newest.obtained = newest.expires - leaseTime;
      }
    }
  }
  return newest;
}

// dhcpcd keeps the server's last DHCP message as it came.
DhcpLease ReadDhcpcdLease(const std::string& path, const std::vector<AdapterAddress>& addresses) {
  std::ifstream file(path, std::ios::binary);
  std::string message((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const size_t optionsStart = 240;  // fixed BOOTP fields, then the magic cookie
  auto byte = [&](size_t i) { return static_cast<unsigned char>(message[i]); };
  if (message.size() < optionsStart || byte(236) != 99 || byte(237) != 130 || byte(238) != 83 ||
      byte(239) != 99)
    return {};
  auto addressAt = [&](size_t i) {
    in_addr a{};
    std::memcpy(&a.s_addr, message.data() + i, 4);
    char text[INET_ADDRSTRLEN];
    inet_ntop(AF_INET, &a, text, sizeof text);
    return std::string(text);
  };
  if (!HoldsAddress(addresses, addressAt(16))) return {};  // yiaddr
  DhcpLease lease;
  lease.found = true;
  long leaseTime = 0;
  for (size_t i = optionsStart; i < message.size();) {
    unsigned code = byte(i);
    if (code == 0) {
      ++i;
      continue;
    }
    if (code == 255 || i + 1 >= message.size()) break;
    size_t length = byte(i + 1);
    size_t data = i + 2;
    if (data + length > message.size()) break;
    if (code == 54 && length == 4) lease.server = addressAt(data);
    if (code == 15) lease.domain = message.substr(data, length);
    if (code == 51 && length == 4)
      leaseTime =
          (long)byte(data) << 24 | byte(data + 1) << 16 | byte(data + 2) << 8 | byte(data + 3);
    i = data + length;
  }
  while (!lease.domain.empty() && lease.domain.back() == '\0') lease.domain.pop_back();
  lease.obtained = ModifiedTime(path);
  if (lease.obtained && leaseTime > 0) lease.expires = lease.obtained + leaseTime;
  return lease;
}

}  // namespace

DhcpLease FindDhcpLease(const std::string& name, int index,
                        const std::vector<AdapterAddress>& addresses) {
  if (addresses.empty()) return {};
  std::vector<std::string> keyValue = {"/run/systemd/netif/leases/" + std::to_string(index)};
  for (const std::string& path : Glob("/var/lib/NetworkManager/internal-*-" + name + ".lease"))
    keyValue.push_back(path);
  for (const std::string& path : keyValue) {
    DhcpLease lease = ReadKeyValueLease(path, addresses);
    if (lease.found) return lease;
  }

  std::vector<std::string> dhclient;
  for (const char* pattern : {"/var/lib/dhcp/dhclient*.leases", "/var/lib/dhclient/*.lease*",
                              "/var/lib/NetworkManager/dhclient-*.lease"})
    for (const std::string& path : Glob(pattern)) dhclient.push_back(path);
  for (const std::string& path : dhclient) {
    DhcpLease lease = ReadDhclientLeases(path, name, addresses);
    if (lease.found) return lease;
  }

  for (const std::string& path :
       {"/var/lib/dhcpcd/" + name + ".lease", "/var/lib/dhcpcd/dhcpcd-" + name + ".lease",
        "/var/lib/dhcpcd5/dhcpcd-" + name + ".lease", "/var/db/dhcpcd-" + name + ".lease"}) {
    DhcpLease lease = ReadDhcpcdLease(path, addresses);
    if (lease.found) return lease;
  }
  return {};
}

}  // namespace os
