#include "monitor/PingReply.h"

#include "monitor/ConsoleCapture.h"

namespace {

// The host goes into the command line as it stands, and the command line is
// split at blanks: a host that could add words or options must not run.
bool ChangesCommandLine(const Text& host) {
  if (!host.empty() && (host[0] == '-' || host[0] == '/')) return true;
  for (unsigned char c : host)
    if (c == ' ' || c == '"' || c == '\'' || c < 0x20 || c == 0x7F) return true;
  // The full-width blank is a blank too.
  return find(host, "　") != -1;
}

// No reply line: the first failure marker found names the failure.
Text FailureText(const Text& T) {
  if (find(T, "无法访问目标主机") != -1) return "无法访问目标";
  if (find(T, "请求找不到主机") != -1) return "找不到主机";
  if (find(T, "请求超时") != -1) return "请求超时";
  return "未知错误";
}

}  // namespace

PingReply parsePingOutput(const Text& output, const Text& host) {
  const Text& T = output;
  PingReply reply;

  if (find(T, "的回复: 字节=") == -1) {
    reply.resultText = FailureText(T);
    reply.replied = 0;
    return reply;
  }
  reply.replied = 1;

  // The cut starts at the result part of the reply line and is as long as the
  // distance from the reply marker to the statistics header, so it reaches
  // past the reply line's CR LF; the line ends there.
  int S = find(T, "字节=");
  int U = find(T, "的 Ping");
  int R = find(T, "的回复:");
  Text V = mid(T, S, U - R);
  Text line = left(V, find(V, "\r\n") - 1);
  reply.resultText = line;

  // Time: between the first time marker found (in this order) and the first
  // "ms" of the line.
  for (const Text& marker : {Text("时间="), Text("时间<"), Text("时间>")}) {
    int W = find(line, marker);
    if (W == -1) continue;
    const int L = 5;
    int X = find(line, "ms");
    reply.timeText = mid(line, W + L, X - (W + L));
    break;
  }

  reply.ttlText = right(line, length(line) - findLast(line, "="));

  // A host given by name: the header line carries its address in brackets.
  if (find(T, "] 具有") != -1) {
    int B = find(T, " [");
    int E = find(T, "]");
    Text segment = mid(T, B, E - B + 1);
    reply.address = removeAll(removeBlanks(removeAll(segment, "[")), "]");
  } else {
    reply.address = host;
  }
  return reply;
}

PingReply pingOnce(const Text& host) {
  return pingOnce(host, [](const Text& commandLine) { return runAndCapture(commandLine); });
}

PingReply pingOnce(const Text& host, const std::function<Text(const Text&)>& capture) {
  if (ChangesCommandLine(host)) {
    PingReply reply;
    reply.resultText = "找不到主机";
    return reply;
  }
  return parsePingOutput(capture("ping " + host + " -n 1"), host);
}
