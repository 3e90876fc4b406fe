#include <gtest/gtest.h>

#include <vector>

#include "monitor/PingReply.h"
#include "support/IcmpPermission.h"

namespace {

// Through the capture and our console ping, on loopback.
TEST(PingOnce, LoopbackAnswersEndToEnd) {
  if (std::string why = test::IcmpProblem(); !why.empty()) GTEST_SKIP() << why;
  PingReply reply = pingOnce("127.0.0.1");
  ASSERT_EQ(reply.replied, 1) << reply.resultText;
  EXPECT_EQ(reply.address, "127.0.0.1");
  EXPECT_EQ(reply.ttlText, "64");
  EXPECT_FALSE(reply.timeText.empty());
  EXPECT_GE(TextToNumber(reply.timeText), 1);
  const Text& line = reply.resultText;
  EXPECT_EQ(find(line, "字节=32 时间"), 1) << line;
  EXPECT_EQ(right(line, 9), "ms TTL=64") << line;
}

TEST(PingOnce, NamedHostTakesTheBracketedAddress) {
  if (std::string why = test::IcmpProblem(); !why.empty()) GTEST_SKIP() << why;
  PingReply reply = pingOnce("localhost");
  ASSERT_EQ(reply.replied, 1) << reply.resultText;
  EXPECT_EQ(reply.address, "127.0.0.1");
}

TEST(PingOnce, BuildsTheCommandLineAndParsesWhatItPrinted) {
  std::vector<Text> commandLines;
  auto capture = [&](const Text& commandLine) {
    commandLines.push_back(commandLine);
    return Text(
        "\r\n正在 Ping nas01 [192.0.2.15] 具有 32 字节的数据:\r\n请求超时。\r\n\r\n"
        "192.0.2.15 的 Ping 统计信息:\r\n");
  };
  PingReply reply = pingOnce("nas01", capture);
  EXPECT_EQ(commandLines, std::vector<Text>{"ping nas01 -n 1"});
  EXPECT_EQ(reply.replied, 0);
  EXPECT_EQ(reply.resultText, "请求超时");
}

TEST(PingOnce, HostTextThatWouldChangeTheCommandStartsNothing) {
  const Text unsafe[] = {
      "127.0.0.1 -n 5", "127.0.0.1\t-w",
      "127.0.0.1 ",     "\"127.0.0.1\"",
      "nas'01",         "-n",
      "-w 1 127.0.0.1", "/?",
      "127.0.0.1\r\n",  "nas\x01",
      "nas\x7F",        "nas　01",  // full-width blank
  };
  for (const Text& host : unsafe) {
    SCOPED_TRACE(host);
    int started = 0;
    PingReply reply = pingOnce(host, [&](const Text&) {
      ++started;
      return Text();
    });
    EXPECT_EQ(started, 0);
    EXPECT_EQ(reply.replied, 0);
    EXPECT_EQ(reply.resultText, "找不到主机");
    EXPECT_EQ(reply.address, "");
  }
  // Names with dashes, dots and Chinese characters are ordinary hosts.
  for (const Text& host : {Text("nas-01.kv.test"), Text("打印机"), Text("a-")}) {
    int started = 0;
    pingOnce(host, [&](const Text&) {
      ++started;
      return Text();
    });
    EXPECT_EQ(started, 1) << host;
  }
}

TEST(PingOnce, EmptyHostIsAnUnknownError) {
  // "ping  -n 1": the command finds no host to ping and says so.
  PingReply reply = pingOnce("");
  EXPECT_EQ(reply.replied, 0);
  EXPECT_EQ(reply.resultText, "未知错误");
}

}  // namespace
