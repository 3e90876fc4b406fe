// A console child for the capture tests: kv_capture_child MODE [N]
//   big N    N bytes of a numbered pattern on standard output
//   both     one line on standard output, one on standard error
//   zero     "ab", a zero byte, "cd" in one write, then later "ef"
//   forever  one line, then never ends
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

// One write of the bytes as they are.
void WriteOut(const char* bytes, size_t size) {
  std::fwrite(bytes, 1, size, stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The bytes as written: no "\n" turned into "\r\n".
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "big") {
    long n = argc > 2 ? std::atol(argv[2]) : 0;
    std::string out;
    for (long i = 0; static_cast<long>(out.size()) < n; ++i) out += std::to_string(i) + ",";
    out.resize(static_cast<size_t>(n));
    std::fwrite(out.data(), 1, out.size(), stdout);
  } else if (mode == "both") {
    std::fputs("out\r\n", stdout);
    std::fflush(stdout);
    std::fputs("err\r\n", stderr);
  } else if (mode == "zero") {
    WriteOut("ab\0cd", 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    WriteOut("ef", 2);
  } else if (mode == "forever") {
    std::puts("started");
    std::fflush(stdout);
    for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
  }
  return 0;
}
