#pragma once
// A probe whose replies and names a test gives in advance, which records
// what the cycle asked and can act on the cycle's thread before each ping.

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "monitor/HostProbe.h"

inline PingReply Reply(const Text& time, const Text& address = "192.0.2.15") {
  return {time, "64", address, 1, "字节=32 时间=" + time + "ms TTL=64"};
}

inline PingReply NoReply(const Text& resultText) {
  return {"", "", "", 0, resultText};
}

class ScriptedProbe : public HostProbe {
 public:
  // Replies and names per target, taken in turn; the last one repeats. A
  // target without replies times out; an address without names has none.
  std::map<Text, std::deque<PingReply>> replies;
  std::map<Text, std::deque<Text>> names;
  // Runs on the cycle's thread before each ping, with the ping's number
  // (from 1) and its target.
  std::function<void(int, const Text&)> beforePing;

  PingReply Ping(const Text& target) override {
    int call;
    {
      std::lock_guard lock(mutex_);
      pinged_.push_back(target);
      pingTimes_.push_back(std::chrono::steady_clock::now());
      call = static_cast<int>(pinged_.size());
    }
    if (beforePing) beforePing(call, target);
    std::lock_guard lock(mutex_);
    return Take(replies, target, NoReply("请求超时"));
  }

  Text LookUpName(const Text& address) override {
    std::lock_guard lock(mutex_);
    lookedUp_.push_back(address);
    return Take(names, address, Text());
  }

  std::vector<Text> Pinged() const {
    std::lock_guard lock(mutex_);
    return pinged_;
  }
  std::vector<Text> LookedUp() const {
    std::lock_guard lock(mutex_);
    return lookedUp_;
  }
  std::vector<std::chrono::steady_clock::time_point> PingTimes() const {
    std::lock_guard lock(mutex_);
    return pingTimes_;
  }

 private:
  template <class T>
  static T Take(std::map<Text, std::deque<T>>& script, const Text& key, T otherwise) {
    auto found = script.find(key);
    if (found == script.end() || found->second.empty()) return otherwise;
    T value = found->second.front();
    if (found->second.size() > 1) found->second.pop_front();
    return value;
  }

  mutable std::mutex mutex_;
  std::vector<Text> pinged_;
  std::vector<Text> lookedUp_;
  std::vector<std::chrono::steady_clock::time_point> pingTimes_;
};
