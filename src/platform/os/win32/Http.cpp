// One HTTP GET over WinINet. (wininet.h and winhttp.h cannot share a file.)

#include "platform/os/Http.h"

#include <windows.h>
// After the system's basic declarations:
#include <wininet.h>

#include <cstdlib>
#include <vector>

namespace os {
namespace {

// More than an update page can sensibly hold; a larger body counts as a
// failure instead of filling the memory.
constexpr size_t kMaxBody = 16 * 1024 * 1024;
constexpr DWORD kConnectTimeoutMs = 30000;
constexpr DWORD kReceiveTimeoutMs = 60000;
const char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET h) : h_(h) {}
  ~InternetHandle() {
    if (h_) InternetCloseHandle(h_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  operator HINTERNET() const { return h_; }

 private:
  HINTERNET h_;
};

// The length the server announced, or -1 when it named none.
long long ContentLength(HINTERNET request) {
  char text[32] = {};
  DWORD size = sizeof text - 1;
  if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return -1;
  char* end = nullptr;
  long long length = std::strtoll(text, &end, 10);
  return end == text ? -1 : length;
}

}  // namespace

Text HttpGet(const Text& url) {
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  char host[256] = {}, path[2048] = {}, extra[2048] = {};
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof host;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = sizeof path;
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = sizeof extra;
  if (!InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return Text();
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
    return Text();
  bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;

  InternetHandle session(InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (!session) return Text();
  DWORD connectTimeout = kConnectTimeoutMs, receiveTimeout = kReceiveTimeoutMs;
  InternetSetOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &connectTimeout,
                     sizeof connectTimeout);
  InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveTimeout,
                     sizeof receiveTimeout);
  InternetHandle connection(
      InternetConnectA(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return Text();
  std::string object = std::string(path[0] ? path : "/") + extra;
  const char* accept[] = {"*/*", nullptr};
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
  if (secure) flags |= INTERNET_FLAG_SECURE;
  InternetHandle request(
      HttpOpenRequestA(connection, "GET", object.c_str(), "HTTP/1.0", nullptr, accept, flags, 0));
  // The flags above ask caches for a fresh copy with "Pragma"; HTTP/1.1
  // caches on the way read this one.
  const char noCache[] = "Cache-Control: no-cache\r\n";
  if (!request || !HttpSendRequestA(request, noCache, sizeof noCache - 1, nullptr, 0))
    return Text();

  long long announced = ContentLength(request);
  Text body;
  std::vector<char> buffer(65536);
  for (;;) {
    DWORD n = 0;
    if (!InternetReadFile(request, buffer.data(), static_cast<DWORD>(buffer.size()), &n))
      return Text();
    if (n == 0) break;
    if (body.size() + n > kMaxBody) return Text();
    body.append(buffer.data(), n);
  }
  // A transfer that broke off before the announced end is no response.
  if (announced >= 0 && static_cast<long long>(body.size()) < announced) return Text();
  return body;
}

}  // namespace os
