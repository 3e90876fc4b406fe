#pragma once
// The lines the ping program prints, in the Chinese-language Windows layout
// (GBK, CR LF).

#include <vector>

#include "platform/os/IcmpEcho.h"
#include "text/Text.h"

namespace os {

// The blank line and the header: with the resolved address in brackets for
// a name, without for an address literal.
Text PingHeader(const Text& host, const Text& address, bool literal, int dataBytes);

// The line of one echo: a reply, an ICMP error, a time-out or a send failure.
Text PingEchoLine(const EchoResult& echo);

// The statistics block; the round-trip lines only when an echo reply came.
Text PingStatistics(const Text& address, const std::vector<EchoResult>& echoes);

// Whether the echoes count as answered for the exit status: any reply,
// an ICMP error about the request included.
bool PingAnswered(const EchoResult& echo);

Text PingHostNotFound(const Text& host);
Text PingNoPermission();
Text PingTransmitFailed();

}  // namespace os
