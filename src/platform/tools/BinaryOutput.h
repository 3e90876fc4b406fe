#pragma once
// The programs print CR LF themselves: standard output must pass the bytes
// unchanged, where the C library would otherwise turn "\n" into "\r\n".

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>

inline void SetBinaryOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
}
#else
inline void SetBinaryOutput() {}
#endif
