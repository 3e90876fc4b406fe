#include "netinfo/SerialLoads.h"

#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

struct SerialLoads::Queue {
  std::mutex mutex;
  std::deque<std::function<void()>> waiting;  // guarded by mutex
  // A load is running, or a worker has been started for the waiting ones.
  bool busy = false;  // guarded by mutex
};

SerialLoads::SerialLoads() : queue_(std::make_shared<Queue>()) {}

void SerialLoads::RunOnWorker(std::function<void()> load) {
  bool startWorker = false;
  {
    std::lock_guard lock(queue_->mutex);
    queue_->waiting.push_back(std::move(load));
    startWorker = !queue_->busy;
    queue_->busy = true;
  }
  if (startWorker) StartWorker(queue_);
}

void SerialLoads::RunHereOrQueue(std::function<void()> load) {
  {
    std::lock_guard lock(queue_->mutex);
    if (queue_->busy) {
      queue_->waiting.push_back(std::move(load));
      return;
    }
    queue_->busy = true;
  }
  load();
  // Loads asked for meanwhile go to a worker: this thread has work of its own.
  bool more = false;
  {
    std::lock_guard lock(queue_->mutex);
    more = !queue_->waiting.empty();
    if (!more) queue_->busy = false;
  }
  if (more) StartWorker(queue_);
}

bool SerialLoads::UnderWay() const {
  std::lock_guard lock(queue_->mutex);
  return queue_->busy;
}

void SerialLoads::StartWorker(const std::shared_ptr<Queue>& queue) {
  try {
    std::thread([queue] { Drain(queue); }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the loads still run, on this thread.
    Drain(queue);
  }
}

void SerialLoads::Drain(const std::shared_ptr<Queue>& queue) {
  for (;;) {
    std::function<void()> load;
    {
      std::lock_guard lock(queue->mutex);
      if (queue->waiting.empty()) {
        queue->busy = false;
        return;
      }
      load = std::move(queue->waiting.front());
      queue->waiting.pop_front();
    }
    load();
    // What the load holds is let go here, before the next one is taken.
  }
}
