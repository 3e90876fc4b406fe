#pragma once
// The namespace test LAN for test programs: brings up lan.sh's LAN under a
// name of its own, runs code inside its namespaces, and removes it again.
// Also small namespaces that a test sets up itself.
//
// Everything needs root and network namespaces; when they cannot be made,
// Ready() is false and Error() says why, for GTEST_SKIP.
//
// Code run inside a namespace runs in a child process; it returns a text to
// the test, which makes its assertions in the parent.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace netlab {

struct Device {
  std::string suffix;    // its namespace is PREFIX-suffix
  std::string address;   // in 10.77.0.0/24
  std::string mac;       // as the kernel writes it: 02:4b:56:00:00:02
  std::string hostName;  // in the scanner's hosts file; empty for none
  bool delayed;          // answers echoes only after about 20 ms
};

inline constexpr const char* kScannerAddress = "10.77.0.100";
inline constexpr const char* kScannerMac = "02:4b:56:00:00:64";
inline constexpr const char* kScannerHostName = "kv-scanner";

// The devices of the LAN, as lan.sh makes them.
const std::vector<Device>& Devices();

// "02:4b:56:00:00:02" as "02-4B-56-00-00-02".
std::string DashedMac(const std::string& mac);

// Empty when namespaces can be made here, else "cannot make a namespace: ...".
const std::string& NamespaceProblem();

// Runs a command with /bin/sh; its exit status, and its output (standard
// output and standard error) when asked for.
int Shell(const std::string& command, std::string* output = nullptr);

// Runs fn in a child process that has entered the network namespace NAME as
// `ip netns exec` does: a mount namespace of its own with the namespace's
// /sys, and the files of /etc/netns/NAME bound over those of /etc. Gives
// what fn returned, or nothing when the child could not enter or failed.
std::optional<std::string> RunInNamespace(const std::string& name,
                                          const std::function<std::string()>& fn);

// A name no other test program running now uses.
std::string UniqueName(const std::string& kind);

// The LAN of lan.sh under a unique prefix, up for the object's lifetime.
class Lan {
 public:
  Lan();
  ~Lan();
  Lan(const Lan&) = delete;
  Lan& operator=(const Lan&) = delete;

  bool Ready() const { return up_; }
  const std::string& Error() const { return error_; }
  const std::string& Prefix() const { return prefix_; }
  std::string Namespace(const std::string& suffix) const { return prefix_ + "-" + suffix; }
  std::string Scanner() const { return Namespace("scan"); }

  std::optional<std::string> RunInScanner(const std::function<std::string()>& fn) const {
    return RunInNamespace(Scanner(), fn);
  }

 private:
  std::string prefix_;
  std::string error_;
  bool up_ = false;
};

// An empty network namespace with its loopback up, removed (with its
// /etc/netns directory) when the object goes.
class Namespace {
 public:
  Namespace();
  ~Namespace();
  Namespace(const Namespace&) = delete;
  Namespace& operator=(const Namespace&) = delete;

  bool Ready() const { return error_.empty(); }
  const std::string& Error() const { return error_; }
  const std::string& Name() const { return name_; }

  // `ip netns exec NAME` followed by the command; its exit status.
  int Exec(const std::string& command, std::string* output = nullptr) const;
  // Writes /etc/netns/NAME/file, which RunInNamespace and `ip netns exec`
  // put in place of /etc/file.
  bool WriteEtcFile(const std::string& file, const std::string& content) const;

 private:
  std::string name_;
  std::string error_;
};

// lan.sh and the responder it starts, for tests of the script itself.
const char* ScriptPath();
const char* ResponderPath();

}  // namespace netlab
