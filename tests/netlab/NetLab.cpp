#include "NetLab.h"

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace netlab {
namespace {

bool EnterNamespace(const std::string& name) {
  int fd = open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool joined = setns(fd, CLONE_NEWNET) == 0;
  close(fd);
  if (!joined || unshare(CLONE_NEWNS) != 0) return false;
  // Our mounts must not reach the parent's mount namespace.
  if (mount("", "/", nullptr, MS_SLAVE | MS_REC, nullptr) != 0) return false;
  // /sys shows the interfaces of the namespace that mounted it.
  umount2("/sys", MNT_DETACH);
  if (mount(name.c_str(), "/sys", "sysfs", 0, nullptr) != 0) return false;
  std::string etc = "/etc/netns/" + name;
  if (DIR* dir = opendir(etc.c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::string file = entry->d_name;
      if (file == "." || file == "..") continue;
      mount((etc + "/" + file).c_str(), ("/etc/" + file).c_str(), nullptr, MS_BIND, nullptr);
    }
    closedir(dir);
  }
  return true;
}

// Namespaces left by a test program that died before it could remove them:
// their names carry the pid of a process that no longer runs.
void RemoveStaleNamespaces() {
  std::string list;
  Shell("ip netns list", &list);
  static const std::regex ours("^kv([0-9]+)(lan|ns|probe|fail)([0-9]+)(-[a-z0-9]+)?");
  std::istringstream lines(list);
  std::string line;
  while (std::getline(lines, line)) {
    std::smatch m;
    if (!std::regex_search(line, m, ours)) continue;
    int pid = std::stoi(m[1]);
    if (pid == getpid() || kill(pid, 0) == 0 || errno != ESRCH) continue;
    std::string name = line.substr(0, line.find(' '));
    if (m[2] == "lan" || m[2] == "fail") {
      Shell(std::string(KV_NETLAB_SCRIPT) + " down " + name.substr(0, name.find('-')));
    } else {
      Shell("ip netns del " + name);
      std::error_code ignored;
      std::filesystem::remove_all("/etc/netns/" + name, ignored);
    }
  }
}

std::string ProbeNamespaces() {
  if (geteuid() != 0) return "cannot make a namespace: not running as root";
  if (Shell("command -v ip >/dev/null") != 0)
    return "cannot make a namespace: the ip program (iproute2) is missing";
  std::string name = UniqueName("probe"), output;
  if (Shell("ip netns add " + name, &output) != 0)
    return "cannot make a namespace: ip netns add failed: " + output;
  Shell("ip netns del " + name);
  RemoveStaleNamespaces();
  return {};
}

}  // namespace

const std::vector<Device>& Devices() {
  // The same table as in lan.sh.
  static const std::vector<Device> devices = {
      {"d1", "10.77.0.1", "02:4b:56:00:00:01", "kv-gateway", false},
      {"d2", "10.77.0.2", "02:4b:56:00:00:02", "kv-nas01", false},
      {"d3", "10.77.0.3", "02:4b:56:00:00:03", "", false},
      {"d4", "10.77.0.50", "02:4b:56:00:00:32", "kv-printer", false},
      {"d5", "10.77.0.99", "02:4b:56:00:00:63", "", false},
      {"d6", "10.77.0.101", "02:4b:56:00:00:65", "kv-cam", false},
      {"d7", "10.77.0.200", "02:4b:56:00:00:c8", "kv-slow", true},
      {"d8", "10.77.0.254", "02:4b:56:00:00:fe", "", true},
  };
  return devices;
}

std::string DashedMac(const std::string& mac) {
  std::string dashed;
  for (char c : mac) dashed += c == ':' ? '-' : static_cast<char>(std::toupper(c));
  return dashed;
}

const std::string& NamespaceProblem() {
  static const std::string problem = ProbeNamespaces();
  return problem;
}

int Shell(const std::string& command, std::string* output) {
  std::fflush(nullptr);
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  std::string text;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  int status = pclose(pipe);
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::optional<std::string> RunInNamespace(const std::string& name,
                                          const std::function<std::string()>& fn) {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return std::nullopt;
  std::fflush(nullptr);
  pid_t child = fork();
  if (child < 0) {
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    return std::nullopt;
  }
  if (child == 0) {
    close(pipeEnds[0]);
    if (!EnterNamespace(name)) _exit(3);
    std::string result = fn();
    for (size_t done = 0; done < result.size();) {
      ssize_t n = write(pipeEnds[1], result.data() + done, result.size() - done);
      if (n <= 0) _exit(4);
      done += static_cast<size_t>(n);
    }
    _exit(0);
  }
  close(pipeEnds[1]);
  std::string result;
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipeEnds[0], buffer, sizeof buffer)) > 0) result.append(buffer, n);
  close(pipeEnds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return result;
}

std::string UniqueName(const std::string& kind) {
  static std::atomic<int> counter{0};
  return "kv" + std::to_string(getpid()) + kind + std::to_string(++counter);
}

const char* ScriptPath() {
  return KV_NETLAB_SCRIPT;
}
const char* ResponderPath() {
  return KV_NETLAB_RESPONDER;
}

Lan::Lan() : prefix_(UniqueName("lan")) {
  error_ = NamespaceProblem();
  if (!error_.empty()) return;
  std::string output;
  if (Shell(std::string("KV_NETLAB_RESPONDER=") + ResponderPath() + " " + ScriptPath() + " up " +
                prefix_,
            &output) != 0) {
    error_ = "cannot make a namespace: lan.sh up failed: " + output;
    return;
  }
  up_ = true;
}

Lan::~Lan() {
  if (NamespaceProblem().empty()) Shell(std::string(ScriptPath()) + " down " + prefix_);
}

Namespace::Namespace() : name_(UniqueName("ns")) {
  error_ = NamespaceProblem();
  if (!error_.empty()) return;
  std::string output;
  if (Shell("ip netns add " + name_ + " && ip -n " + name_ + " link set lo up", &output) != 0)
    error_ = "cannot make a namespace: " + output;
}

Namespace::~Namespace() {
  if (!NamespaceProblem().empty()) return;
  Shell("ip netns del " + name_);
  std::error_code ignored;
  std::filesystem::remove_all("/etc/netns/" + name_, ignored);
}

int Namespace::Exec(const std::string& command, std::string* output) const {
  return Shell("ip netns exec " + name_ + " " + command, output);
}

bool Namespace::WriteEtcFile(const std::string& file, const std::string& content) const {
  std::error_code error;
  std::filesystem::create_directories("/etc/netns/" + name_, error);
  std::ofstream out("/etc/netns/" + name_ + "/" + file, std::ios::binary);
  out << content;
  return static_cast<bool>(out);
}

}  // namespace netlab
