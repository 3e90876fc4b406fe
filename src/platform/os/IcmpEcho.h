#pragma once
// One ICMP echo with the details the console ping prints (IcmpSocket,
// EchoResult, ResolveIPv4); each system implements it in its own folder.

#ifdef _WIN32
#include "platform/os/win32/IcmpEcho.h"
#else
#include "platform/os/posix/IcmpEcho.h"
#endif
