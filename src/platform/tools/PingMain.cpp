// ping HOST [-n COUNT] [-w TIMEOUT_MS]: ICMP echoes of 32 bytes, printed as
// the Chinese-language Windows ping prints them.

#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/os/IcmpEcho.h"
#include "platform/tools/BinaryOutput.h"
#include "platform/tools/PingReport.h"

namespace {

constexpr int kDataBytes = 32;
constexpr auto kInterval = std::chrono::milliseconds(1000);

void Print(const Text& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

bool ReadCount(const char* text, long* value) {
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text, &end, 10);
  if (errno || end == text || *end || v < 1) return false;
  *value = v;
  return true;
}

bool IsOption(const char* arg, char letter) {
  return (arg[0] == '-' || arg[0] == '/') && (arg[1] == letter || arg[1] == letter - 'a' + 'A') &&
         arg[2] == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  SetBinaryOutput();
  std::string host;
  long count = 4, timeoutMs = 4000;
  for (int i = 1; i < argc; ++i) {
    long* value = IsOption(argv[i], 'n') ? &count : IsOption(argv[i], 'w') ? &timeoutMs : nullptr;
    if (value) {
      if (i + 1 >= argc || !ReadCount(argv[i + 1], value)) {
        Print(Text("选项 ") + argv[i] + " 的值错误。" + "\r\n");
        return 1;
      }
      ++i;
    } else if (argv[i][0] == '-' || (argv[i][0] == '/' && argv[i][1] && !argv[i][2])) {
      Print(Text("选项 ") + argv[i] + " 不正确。" + "\r\n");
      return 1;
    } else if (host.empty()) {
      host = argv[i];
    } else {
      Print("用法: ping 目标名称 [-n 次数] [-w 超时]\r\n");
      return 1;
    }
  }
  if (host.empty()) {
    Print("必须指定 IP 地址。\r\n");
    return 1;
  }
  if (timeoutMs > 3600000) timeoutMs = 3600000;

  in_addr target{};
  bool literal = false;
  if (!os::ResolveIPv4(host, &target, &literal)) {
    Print(os::PingHostNotFound(host));
    return 1;
  }
  os::IcmpSocket socket;
  if (!socket.IsOpen()) {
    Print(socket.OpenError() == EACCES || socket.OpenError() == EPERM ? os::PingNoPermission()
                                                                      : os::PingTransmitFailed());
    return 1;
  }
  const Text address = inet_ntoa(target);
  Print(os::PingHeader(host, address, literal, kDataBytes));

  std::vector<os::EchoResult> echoes;
  auto lastSend = std::chrono::steady_clock::now();
  for (long i = 0; i < count; ++i) {
    // About one second from one request to the next; none after the last.
    if (i > 0) std::this_thread::sleep_until(lastSend + kInterval);
    lastSend = std::chrono::steady_clock::now();
    os::EchoResult echo = socket.Echo(target, kDataBytes, static_cast<int>(timeoutMs));
    Print(os::PingEchoLine(echo));
    echoes.push_back(echo);
  }
  Print(os::PingStatistics(address, echoes));
  for (const os::EchoResult& echo : echoes)
    if (os::PingAnswered(echo)) return 0;
  return 1;
}
