#include "platform/tools/PingReport.h"

#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#endif

#include <algorithm>
#include <string>

namespace os {
namespace {

const Text kCrLf = "\r\n";

Text AddressText(in_addr a) {
  return inet_ntoa(a);  // the program has one thread
}

int Milliseconds(const EchoResult& echo) {
  return static_cast<int>(echo.roundTrip.count() / 1000);
}

Text UnreachableText(int code) {
  switch (code) {
    case 0:   // network
    case 6:   // network unknown
    case 9:   // network prohibited
    case 11:  // network for this type of service
      return "无法访问目标网。";
    case 2:
      return "无法访问目标协议。";
    case 3:
      return "无法访问目标端口。";
    default:
      return "无法访问目标主机。";
  }
}

}  // namespace

Text PingHeader(const Text& host, const Text& address, bool literal, int dataBytes) {
  Text target = literal ? address : host + " [" + address + "]";
  return kCrLf + "正在 Ping " + target + " 具有 " + std::to_string(dataBytes) +
         " 字节的数据:" + kCrLf;
}

Text PingEchoLine(const EchoResult& echo) {
  Text from = "来自 " + AddressText(echo.from) + " 的回复: ";
  switch (echo.status) {
    case EchoStatus::Reply: {
      int ms = Milliseconds(echo);
      Text time = ms < 1 ? Text("时间<1ms") : "时间=" + std::to_string(ms) + "ms";
      return from + "字节=" + std::to_string(echo.dataBytes) + " " + time +
             " TTL=" + std::to_string(echo.ttl) + kCrLf;
    }
    case EchoStatus::Unreachable:
      return from + UnreachableText(echo.icmpCode) + kCrLf;
    case EchoStatus::TimeExceeded:
      return from + "TTL 传输中过期。" + kCrLf;
    case EchoStatus::TimedOut:
      return "请求超时。" + kCrLf;
    default:
      return PingTransmitFailed();
  }
}

bool PingAnswered(const EchoResult& echo) {
  return echo.status == EchoStatus::Reply || echo.status == EchoStatus::Unreachable ||
         echo.status == EchoStatus::TimeExceeded;
}

Text PingStatistics(const Text& address, const std::vector<EchoResult>& echoes) {
  long sent = static_cast<long>(echoes.size());
  long received = std::count_if(echoes.begin(), echoes.end(), PingAnswered);
  long lost = sent - received;
  long lostPercent = sent ? lost * 100 / sent : 0;
  Text text = kCrLf + address + " 的 Ping 统计信息:" + kCrLf;
  text += "    数据包: 已发送 = " + std::to_string(sent) +
          "，已接收 = " + std::to_string(received) + "，丢失 = " + std::to_string(lost) + " (" +
          std::to_string(lostPercent) + "% 丢失)，" + kCrLf;
  int minimum = 0, maximum = 0, replies = 0;
  long long total = 0;
  for (const EchoResult& echo : echoes) {
    if (echo.status != EchoStatus::Reply) continue;
    int ms = Milliseconds(echo);
    minimum = replies ? std::min(minimum, ms) : ms;
    maximum = replies ? std::max(maximum, ms) : ms;
    total += ms;
    ++replies;
  }
  if (replies) {
    text += "往返行程的估计时间(以毫秒为单位):" + kCrLf;
    text += "    最短 = " + std::to_string(minimum) + "ms，最长 = " + std::to_string(maximum) +
            "ms，平均 = " + std::to_string(total / replies) + "ms" + kCrLf;
  }
  return text;
}

Text PingHostNotFound(const Text& host) {
  return "Ping 请求找不到主机 " + host + "。请检查该名称，然后重试。" + kCrLf;
}

Text PingNoPermission() {
  return "无法发送 ICMP 回显：没有权限。请以 root 运行本程序、用 setcap cap_net_raw+ep "
         "授予它 cap_net_raw 能力，或用 sysctl net.ipv4.ping_group_range 允许当前用户组。" +
         kCrLf;
}

Text PingTransmitFailed() {
  return "PING：传输失败。常见故障。" + kCrLf;
}

}  // namespace os
