#pragma once
// One ping of one host, read out of the text that the Chinese-language
// console ping prints.

#include <cstdint>

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

// pingOnce(host) belongs here as well: it runs the console ping through the
// console capture and parses the captured text.
