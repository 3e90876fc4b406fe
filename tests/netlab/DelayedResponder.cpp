// kv_netlab_responder ADDRESS DELAY_MS PIDFILE
//
// Answers every ICMP echo request to ADDRESS after DELAY_MS, for a device of
// the test LAN whose kernel ignores echo requests (icmp_echo_ignore_all).
// Writes its pid to PIDFILE once it listens; runs until it is killed.

#include <arpa/inet.h>
#include <linux/icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Pending {
  Clock::time_point due;
  sockaddr_in to;
  std::vector<unsigned char> reply;  // ICMP header and data
};

unsigned short Checksum(const unsigned char* data, size_t size) {
  unsigned long sum = 0;
  for (size_t i = 0; i + 1 < size; i += 2) sum += data[i] << 8 | data[i + 1];
  if (size % 2) sum += data[size - 1] << 8;
  while (sum >> 16) sum = (sum & 0xffff) + (sum >> 16);
  return static_cast<unsigned short>(~sum);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s ADDRESS DELAY_MS PIDFILE\n", argv[0]);
    return 2;
  }
  in_addr own{};
  if (!inet_aton(argv[1], &own)) return 2;
  auto delay = std::chrono::milliseconds(std::atoi(argv[2]));

  int fd = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
  if (fd < 0) {
    std::perror("socket");
    return 1;
  }
  icmp_filter filter{};
  filter.data = ~(1u << ICMP_ECHO);
  setsockopt(fd, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);

  if (FILE* pidFile = std::fopen(argv[3], "w")) {
    std::fprintf(pidFile, "%d\n", getpid());
    std::fclose(pidFile);
  }

  std::deque<Pending> pending;
  unsigned char buffer[65536];
  for (;;) {
    int timeoutMs = -1;
    if (!pending.empty()) {
      auto wait = std::chrono::ceil<std::chrono::milliseconds>(pending.front().due - Clock::now());
      timeoutMs = static_cast<int>(std::max<long long>(0, wait.count()));
    }
    pollfd p{fd, POLLIN, 0};
    poll(&p, 1, timeoutMs);
    if (p.revents & POLLIN) {
      sockaddr_in from{};
      socklen_t fromLength = sizeof from;
      ssize_t n =
          recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
      size_t ihl = n > 0 ? (buffer[0] & 0x0f) * 4u : 0;
      if (n >= static_cast<ssize_t>(ihl + 8) && buffer[ihl] == ICMP_ECHO &&
          std::memcmp(buffer + 16, &own.s_addr, 4) == 0) {
        Pending reply{Clock::now() + delay, from, {buffer + ihl, buffer + n}};
        reply.reply[0] = ICMP_ECHOREPLY;
        reply.reply[2] = reply.reply[3] = 0;
        unsigned short sum = Checksum(reply.reply.data(), reply.reply.size());
        reply.reply[2] = static_cast<unsigned char>(sum >> 8);
        reply.reply[3] = static_cast<unsigned char>(sum);
        pending.push_back(std::move(reply));
      }
    }
    while (!pending.empty() && pending.front().due <= Clock::now()) {
      Pending& reply = pending.front();
      sendto(fd, reply.reply.data(), reply.reply.size(), 0, reinterpret_cast<sockaddr*>(&reply.to),
             sizeof reply.to);
      pending.pop_front();
    }
  }
}
