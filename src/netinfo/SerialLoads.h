#pragma once
// Loads that run one after another, never two at once: a load asked for
// while another is under way waits behind it. Loads run on a detached worker
// thread, or at once on the caller's thread when nothing is under way.
//
// Copies share one queue, and the worker keeps the queue alive while loads
// remain, so a load may outlive whatever asked for it. A load must not wait
// for another load of the same queue.

#include <functional>
#include <memory>

class SerialLoads {
 public:
  SerialLoads();

  // Queues the load for the worker, starting a worker when none runs.
  void RunOnWorker(std::function<void()> load);

  // Runs the load on the calling thread now when nothing is under way;
  // otherwise it waits behind the others and a worker runs it.
  void RunHereOrQueue(std::function<void()> load);

  // A load is running or waiting.
  bool UnderWay() const;

 private:
  struct Queue;
  static void StartWorker(const std::shared_ptr<Queue>& queue);
  static void Drain(const std::shared_ptr<Queue>& queue);

  std::shared_ptr<Queue> queue_;
};
