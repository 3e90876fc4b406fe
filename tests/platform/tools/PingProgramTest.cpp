// The ping program on loopback, and its refusal of bad command lines.

#include <gtest/gtest.h>

#include "ProgramOutput.h"
#include "support/IcmpPermission.h"

namespace {

const std::string kPing = KV_PING;

TEST(PingProgram, OneEchoToLoopbackInTheWindowsLayout) {
  if (std::string why = test::IcmpProblem(); !why.empty()) GTEST_SKIP() << why;
  ProgramRun run = RunProgram(kPing + " 127.0.0.1 -n 1");
  EXPECT_EQ(run.status, 0);
  std::vector<std::string> lines = CrLfLines(run.output);
  ASSERT_EQ(lines.size(), 8u) << run.output;
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "正在 Ping 127.0.0.1 具有 32 字节的数据:");
  EXPECT_TRUE(StartsWith(lines[2], "来自 127.0.0.1 的回复: 字节=32 时间")) << lines[2];
  EXPECT_TRUE(EndsWith(lines[2], "ms TTL=64")) << lines[2];
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "127.0.0.1 的 Ping 统计信息:");
  EXPECT_EQ(lines[5], "    数据包: 已发送 = 1，已接收 = 1，丢失 = 0 (0% 丢失)，");
  EXPECT_EQ(lines[6], "往返行程的估计时间(以毫秒为单位):");
  EXPECT_TRUE(StartsWith(lines[7], "    最短 = ")) << lines[7];
}

TEST(PingProgram, BadCommandLinesSendNothingAndFail) {
  for (const char* arguments : {"", " -n 1", " 127.0.0.1 -n 0", " 127.0.0.1 -n", " 127.0.0.1 -w x",
                                " 127.0.0.1 -q", " 127.0.0.1 127.0.0.2"}) {
    SCOPED_TRACE(arguments);
    ProgramRun run = RunProgram(kPing + arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output.find("具有"), std::string::npos) << run.output;
    EXPECT_TRUE(EndsWith(run.output, "\r\n"));
  }
}

}  // namespace
