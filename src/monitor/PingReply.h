#pragma once
// One ping of one host, read out of the text that the Chinese-language
// console ping prints.

#include <cstdint>
#include <functional>

#include "text/Text.h"

struct PingReply {
  Text timeText;        // reply time in ms as printed, without its unit
  Text ttlText;         // the text after the last "=" of the reply line
  Text address;         // the address that was pinged
  int32_t replied = 0;  // 1 when the text holds a reply line
  Text resultText;      // the reply line's result part, or one of the failure texts
};

// Reads the captured console text of "ping <host> -n 1". Pure; never fails:
// text it does not recognise gives replied 0 and "未知错误".
PingReply parsePingOutput(const Text& output, const Text& host);

// Pings the host once: runs "ping " + host + " -n 1" as a console command,
// captures what it prints and parses it. A host text that would change the
// command line (a blank, a tab, a quote or a control character in it, or a
// leading "-" or "/") starts no command and gives replied 0 with "找不到主机".
// Blocks for as long as the console command runs.
PingReply pingOnce(const Text& host);

// The same with the capture given: it gets the command line and returns what
// the command printed.
PingReply pingOnce(const Text& host, const std::function<Text(const Text&)>& capture);
