#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "monitor/PingReply.h"

namespace {

// Captured console texts: GBK with CR LF, as the console ping prints them.
Text ReadFixture(const char* name) {
  std::ifstream in(std::string(KV_FIXTURES_DIR) + "/ping/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

struct PingCase {
  const char* what;
  Text host;
  Text output;
  Text timeText, ttlText, address;
  int replied;
  Text resultText;
};

void ExpectReply(const PingCase& c) {
  PingReply r = parsePingOutput(c.output, c.host);
  EXPECT_EQ(r.timeText, c.timeText) << c.what;
  EXPECT_EQ(r.ttlText, c.ttlText) << c.what;
  EXPECT_EQ(r.address, c.address) << c.what;
  EXPECT_EQ(r.replied, c.replied) << c.what;
  EXPECT_EQ(r.resultText, c.resultText) << c.what;
}

TEST(PingReply, ReadsTheConsoleTexts) {
  const PingCase cases[] = {
      {"named host", "nas01", ReadFixture("reply_named_host.txt"), "6", "64", "192.0.2.15", 1,
       "字节=32 时间=6ms TTL=64"},
      {"address host, below 1 ms", "192.0.2.1", ReadFixture("reply_below_1ms.txt"), "1", "128",
       "192.0.2.1", 1, "字节=32 时间<1ms TTL=128"},
      {"1200 ms", "nas01", ReadFixture("reply_1200ms.txt"), "1200", "64", "192.0.2.15", 1,
       "字节=32 时间=1200ms TTL=64"},
      {"timed out, address in the header", "nas01", ReadFixture("timeout.txt"), "", "", "", 0,
       "请求超时"},
      {"unreachable", "192.0.2.99", ReadFixture("unreachable.txt"), "", "", "", 0, "无法访问目标"},
      {"host not found", "nas02", ReadFixture("host_not_found.txt"), "", "", "", 0, "找不到主机"},
      {"empty output", "nas01", "", "", "", "", 0, "未知错误"},
      {"no ms in the reply line", "nas01", ReadFixture("reply_without_ms.txt"), "", "64",
       "192.0.2.15", 1, "字节=32 时间=6毫秒 TTL=64"},
      {"no statistics header", "nas01", ReadFixture("reply_without_statistics.txt"), "", "",
       "nas01", 1, ""},
  };
  for (const auto& c : cases) ExpectReply(c);
}

TEST(PingReply, MarkersAndCharacterBoundaries) {
  const Text stats = "\r\n\r\n192.0.2.20 的 Ping 统计信息:\r\n";
  const PingCase cases[] = {
      // The failure markers are tried in a fixed order, whatever order the
      // text holds them in.
      {"timeout and unreachable", "192.0.2.99",
       "请求超时。\r\n来自 192.0.2.1 的回复: 无法访问目标主机。\r\n", "", "", "", 0,
       "无法访问目标"},
      {"timeout and not found", "nas02", "请求超时。\r\nPing 请求找不到主机 nas02。\r\n", "", "",
       "", 0, "找不到主机"},
      // Only the full markers count.
      {"not found without 请求", "nas02", "找不到主机 nas02。\r\n", "", "", "", 0, "未知错误"},
      {"network unreachable", "192.0.2.99", "来自 192.0.2.1 的回复: 无法访问目标网。\r\n", "", "",
       "", 0, "未知错误"},
      // "郵" is E0 5D in GBK: its second byte is no closing bracket.
      {"] as a trail byte", "郵件",
       "正在 Ping 郵件 [192.0.2.20] 具有 32 字节的数据:\r\n来自 192.0.2.20 的回复: 字节=32 "
       "时间<1ms TTL=64" +
           stats,
       "1", "64", "192.0.2.20", 1, "字节=32 时间<1ms TTL=64"},
      // "时间=" is tried before "时间<"; the time ends at the first "ms".
      {"time marker order", "192.0.2.20",
       "来自 192.0.2.20 的回复: 字节=32 时间=5ms 时间<1ms TTL=64" + stats, "5", "64", "192.0.2.20",
       1, "字节=32 时间=5ms 时间<1ms TTL=64"},
  };
  for (const auto& c : cases) ExpectReply(c);
}

}  // namespace
