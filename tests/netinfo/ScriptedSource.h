#pragma once
// A local information source whose adapters, host name and reports a test
// sets, and which can hold a report back until the test lets it go.

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "netinfo/LocalInfoSource.h"
#include "platform/gui/Gui.h"

class ScriptedSource : public LocalInfoSource {
 public:
  void SetAdapters(std::vector<Text> adapters) {
    std::lock_guard lock(mutex_);
    adapters_ = std::move(adapters);
  }
  void SetReport(const Text& key, const IpconfigReport& report) {
    std::lock_guard lock(mutex_);
    reports_[key] = report;
  }
  // While held, AdapterReport waits.
  void Hold() {
    std::lock_guard lock(mutex_);
    held_ = true;
  }
  void Release() {
    std::lock_guard lock(mutex_);
    held_ = false;
    released_.notify_all();
  }

  std::vector<Text> AdapterDescriptions() override {
    Busy busy(*this);
    ++listCalls;
    std::lock_guard lock(mutex_);
    return adapters_;
  }
  Text HostName() override { return "kv-desk"; }
  // An adapter without a report set is not in the report: found false.
  IpconfigReport AdapterReport(const Text& adapterKey) override {
    Busy busy(*this);
    ++reportCalls;
    reportOnGuiThread = gui::IsGuiThread();
    std::unique_lock lock(mutex_);
    released_.wait(lock, [this] { return !held_; });
    auto it = reports_.find(adapterKey);
    return it == reports_.end() ? IpconfigReport() : it->second;
  }

  std::atomic<int> listCalls{0};
  std::atomic<int> reportCalls{0};
  std::atomic<bool> reportOnGuiThread{false};
  std::atomic<int> mostAtOnce{0};  // calls under way at the same time, at most

 private:
  struct Busy {
    explicit Busy(ScriptedSource& s) : source(s) {
      int now = ++source.atOnce_;
      int most = source.mostAtOnce.load();
      while (now > most && !source.mostAtOnce.compare_exchange_weak(most, now)) {
      }
    }
    ~Busy() { --source.atOnce_; }
    ScriptedSource& source;
  };

  std::mutex mutex_;
  std::condition_variable released_;
  bool held_ = false;
  std::vector<Text> adapters_;
  std::map<Text, IpconfigReport> reports_;
  std::atomic<int> atOnce_{0};
};
