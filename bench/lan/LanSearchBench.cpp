// The whole LAN search of the test LAN's /24, from "搜 索" to "已停止" (the
// real window offscreen, the real probes, inside the scanner namespace),
// against the floor of the design (254 probes of 5 ms one after another),
// fping and nmap on the same /24 in the same run. Needs root.
//
//   build/default/bin/kv_lan_bench [rounds]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "NetLab.h"
#include "OffscreenSearch.h"
#include "platform/os/Network.h"

namespace {

struct Measure {
  double seconds = 0;
  int live = 0;
};

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string Encode(const Measure& m) {
  return std::to_string(m.seconds) + " " + std::to_string(m.live);
}

Measure Decode(const std::optional<std::string>& text) {
  Measure m{-1, -1};
  if (text) std::istringstream(*text) >> m.seconds >> m.live;
  return m;
}

int CountLines(const std::string& text, const std::string& marker) {
  int count = 0;
  for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1))
    ++count;
  return count;
}

Measure Floor() {
  Measure m;
  const Clock::time_point start = Clock::now();
  for (int i = 1; i <= 254; ++i)
    if (os::PingAddress("10.77.0." + std::to_string(i), 5) >= 0) ++m.live;
  m.seconds = Since(start);
  return m;
}

Measure OurSearch() {
  SearchOutcome outcome = SearchWithTheRealWindow();
  if (!outcome.stopped) return {-1, -1};
  return {outcome.seconds, static_cast<int>(outcome.rows.size())};
}

Measure Command(const std::string& command, const std::string& liveMarker) {
  Measure m;
  std::string output;
  const Clock::time_point start = Clock::now();
  netlab::Shell(command, &output);
  m.seconds = Since(start);
  m.live = CountLines(output, liveMarker);
  return m;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  netlab::Lan lan;
  if (!lan.Ready()) {
    std::fprintf(stderr, "kv_lan_bench: %s\n", lan.Error().c_str());
    return 1;
  }
  struct Peer {
    const char* name;
    std::function<Measure()> run;
    std::vector<double> times;
    int live = -1;
  };
  std::vector<Peer> peers = {
      {"floor (254 x PingAddress 5 ms)", Floor, {}},
      {"korvello search", OurSearch, {}},
      {"fping -a -q -g -r 0 -t 5 -i 1",
       [] { return Command("fping -a -q -r 0 -t 5 -i 1 -g 10.77.0.0/24", "10.77.0."); },
       {}},
      {"nmap -sn -n", [] { return Command("nmap -sn -n 10.77.0.1-254", "Host is up"); }, {}},
  };
  for (int round = 0; round < rounds; ++round) {
    for (Peer& peer : peers) {
      // Every tool starts from an empty neighbour table.
      netlab::Shell("ip -n " + lan.Scanner() + " neigh flush all");
      Measure m = Decode(lan.RunInScanner([&] { return Encode(peer.run()); }));
      if (m.seconds < 0) {
        std::fprintf(stderr, "kv_lan_bench: %s failed\n", peer.name);
        return 1;
      }
      peer.times.push_back(m.seconds);
      peer.live = m.live;
    }
  }

  const double floor = Median(peers[0].times);
  const double ours = Median(peers[1].times);
  std::printf("LAN search of 10.77.0.1-254 in the test LAN, median of %d rounds\n", rounds);
  std::printf("%-34s %9s %6s %12s\n", "", "seconds", "live", "ours/this");
  for (const Peer& peer : peers) {
    const double time = Median(peer.times);
    std::printf("%-34s %9.3f %6d %12.2f\n", peer.name, time, peer.live, ours / time);
  }
  std::printf(
      "ours / measured floor = %.2f, ours / design floor (254 x 5 ms = 1.270 s) = %.2f"
      " (target <= 1.20)\n",
      ours / floor, ours / 1.270);
  std::printf("ours / nmap -sn = %.2f (target < 1)\n", ours / Median(peers[3].times));
  return 0;
}
