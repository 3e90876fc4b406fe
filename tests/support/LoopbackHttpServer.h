#pragma once
// An HTTP server on 127.0.0.1 that answers every request with the same
// response and keeps the requests it was sent.

#ifdef _WIN32
#include <winsock2.h>
using socklen_t = int;
inline void CloseSocket(SOCKET s) {
  closesocket(s);
}
// The socket library, started once for the test program.
inline bool StartTestSockets() {
  static bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
using SOCKET = int;
inline void CloseSocket(SOCKET s) {
  close(s);
}
inline bool StartTestSockets() {
  return true;
}
#endif

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
 public:
  // A whole response as sent, status line and headers included.
  explicit LoopbackHttpServer(std::string response) : response_(std::move(response)) {
    StartTestSockets();
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 4);
    socklen_t size = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }

  ~LoopbackHttpServer() {
#ifdef _WIN32
    CloseSocket(listener_);  // wakes the accept
    thread_.join();
#else
    shutdown(listener_, SHUT_RDWR);  // wakes the accept
    thread_.join();
    close(listener_);
#endif
  }

  // A plain "200 OK" response with the body.
  static std::string OkResponse(const std::string& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
  }

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

  std::vector<std::string> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  void Serve() {
    for (;;) {
      SOCKET connection = accept(listener_, nullptr, nullptr);
      if (connection == static_cast<SOCKET>(-1)) return;
      std::string request;
      char buffer[4096];
      while (request.find("\r\n\r\n") == std::string::npos) {
        int n = static_cast<int>(recv(connection, buffer, sizeof buffer, 0));
        if (n <= 0) break;
        request.append(buffer, static_cast<size_t>(n));
      }
      {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
      }
      (void)!send(connection, response_.data(), static_cast<int>(response_.size()), 0);
      CloseSocket(connection);
    }
  }

  std::string response_;
  SOCKET listener_ = static_cast<SOCKET>(-1);
  int port_ = 0;
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A loopback port with nobody listening on it.
inline int ClosedLoopbackPort() {
  StartTestSockets();
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t size = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  CloseSocket(s);
  return ntohs(address.sin_port);
}
