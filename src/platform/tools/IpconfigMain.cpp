// ipconfig [/all]: this machine's adapters, printed as the Chinese-language
// Windows ipconfig prints them.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/os/Adapters.h"
#include "platform/os/Network.h"
#include "platform/tools/BinaryOutput.h"
#include "platform/tools/IpconfigLayout.h"

namespace {

void Print(const Text& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

bool IpForwarding() {
  std::ifstream file("/proc/sys/net/ipv4/ip_forward");
  std::string value;
  return std::getline(file, value) && value == "1";
}

}  // namespace

int main(int argc, char** argv) {
  SetBinaryOutput();
  bool all = false;
  for (int i = 1; i < argc; ++i) {
    if (strcasecmp(argv[i], "/all") == 0 || strcasecmp(argv[i], "-all") == 0) {
      all = true;
    } else {
      Print("错误: 无法识别或不完整的命令行。\r\n\r\n用法: ipconfig [/all]\r\n");
      return 1;
    }
  }
  std::vector<os::Adapter> adapters = os::ListAdapters();
  if (!all) {
    Print(os::IpconfigBriefText(adapters));
    return 0;
  }
  os::IpconfigHost host;
  Text name = os::LocalHostName();
  size_t dot = name.find('.');
  host.hostName = name.substr(0, dot);
  if (dot != Text::npos) host.primaryDnsSuffix = name.substr(dot + 1);
  host.ipRouting = IpForwarding();
  host.searchList = os::ReadResolverConfig().searchDomains;
  Print(os::IpconfigAllText(host, adapters));
  return 0;
}
