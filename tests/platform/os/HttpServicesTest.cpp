#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "platform/os/Http.h"

namespace {

// A server on 127.0.0.1 that answers one request with a canned response and
// keeps what it was sent.
class LoopbackServer {
 public:
  explicit LoopbackServer(std::string response) : response_(std::move(response)) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 1);
    socklen_t size = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackServer() {
    Stop();
    close(listener_);
  }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  // What was sent; stops the server (call it once the response is in).
  const std::string& request() {
    Stop();
    return request_;
  }

 private:
  void Stop() {
    shutdown(listener_, SHUT_RDWR);  // wakes the accept when nobody came
    if (thread_.joinable()) thread_.join();
  }

  void Serve() {
    int connection = accept(listener_, nullptr, nullptr);
    if (connection < 0) return;
    char buffer[4096];
    while (request_.find("\r\n\r\n") == std::string::npos) {
      ssize_t n = read(connection, buffer, sizeof buffer);
      if (n <= 0) break;
      request_.append(buffer, static_cast<size_t>(n));
    }
    (void)!write(connection, response_.data(), response_.size());
    close(connection);
  }

  std::string response_;
  std::string request_;
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};

// A loopback port with nobody listening on it.
int ClosedPort() {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t size = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  close(s);
  return ntohs(address.sin_port);
}

TEST(HttpGet, SendsOneDirectUncachedHttp10Get) {
  const std::string body("$$2|notes\0after zero", 20);
  LoopbackServer server("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + body);
  // A proxy named by the environment must not be used.
  std::string proxy = "http://127.0.0.1:" + std::to_string(ClosedPort());
  setenv("http_proxy", proxy.c_str(), 1);
  setenv("HTTP_PROXY", proxy.c_str(), 1);
  Text fetched = os::HttpGet(server.Url("/2/update.html"));
  unsetenv("http_proxy");
  unsetenv("HTTP_PROXY");
  EXPECT_EQ(fetched, body);

  const std::string request = server.request();
  EXPECT_EQ(request.rfind("GET /2/update.html HTTP/1.0\r\n", 0), 0u) << request;
  for (const char* header :
       {"\r\nAccept: */*\r\n",
        "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n",
        "\r\nPragma: no-cache\r\n", "\r\nCache-Control: no-cache\r\n"}) {
    EXPECT_NE(request.find(header), std::string::npos) << header << "\n" << request;
  }
}

TEST(HttpGet, ErrorPageBodyIsKept) {
  LoopbackServer server("HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot here!");
  EXPECT_EQ(os::HttpGet(server.Url("/2/update.html")), "not here!");
}

TEST(HttpGet, TransportFailuresGiveTheEmptyText) {
  EXPECT_EQ(os::HttpGet("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/2/update.html"), "");
  // An address without a scheme (a missing update.ini leaves "2/update.html")
  // is not guessed at: a server that would answer is never asked.
  LoopbackServer unasked("HTTP/1.0 200 OK\r\n\r\n$$2|");
  EXPECT_EQ(os::HttpGet(unasked.Url("/2/update.html").substr(7)), "");
  EXPECT_EQ(unasked.request(), "");
  EXPECT_EQ(os::HttpGet("ftp://127.0.0.1/2/update.html"), "");
  EXPECT_EQ(os::HttpGet(""), "");
  LoopbackServer cutShort("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n$$2|only part");
  EXPECT_EQ(os::HttpGet(cutShort.Url("/")), "");
}

}  // namespace
