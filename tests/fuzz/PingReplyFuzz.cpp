// The console ping's text, as the monitor reads it after every ping.
#include <cstdlib>

#include "FuzzInput.h"
#include "monitor/PingReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<Text> parts = fuzz::Parts(data, size, 2);
  // The host comes after a zero byte; a fixture alone pings this one.
  const Text host = parts[1].empty() ? Text("192.168.1.1") : parts[1];
  PingReply reply = parsePingOutput(parts[0], host);
  if (reply.replied != 0 && reply.replied != 1) std::abort();
  // Without a reply the result is one of the four failure texts.
  if (reply.replied == 0 && reply.resultText != "无法访问目标" &&
      reply.resultText != "找不到主机" && reply.resultText != "请求超时" &&
      reply.resultText != "未知错误") {
    std::abort();
  }
  return 0;
}
