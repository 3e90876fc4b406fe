// The LAN lock lets threads in in the order they took their tickets: a
// thread that asks while others wait queues behind them, even when the lock
// happens to be free at that moment.

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "process/OrderedLock.h"

namespace {

TEST(OrderedLock, GrantsEntryInTheOrderOfAsking) {
  // More waiters than the lock has wake-up slots.
  constexpr int kWaiters = 70;
  constexpr int kLate = -1;
  OrderedLock lock;
  std::vector<int> order;
  std::vector<std::thread> threads;
  lock.lock();
  // The threads start in whatever order the scheduler likes; their tickets
  // are taken here, one after another.
  for (int i = 0; i < kWaiters; ++i) {
    const unsigned ticket = lock.TakeTicket();
    threads.emplace_back([&, i, ticket] {
      lock.Enter(ticket);
      order.push_back(i);
      lock.unlock();
    });
  }
  // Asking again at once, before any waiter has woken, still comes last.
  lock.unlock();
  lock.lock();
  order.push_back(kLate);
  lock.unlock();
  for (std::thread& t : threads) t.join();

  std::vector<int> expected;
  for (int i = 0; i < kWaiters; ++i) expected.push_back(i);
  expected.push_back(kLate);
  EXPECT_EQ(order, expected);
}

}  // namespace

namespace {

TEST(OrderedLock, TicketsGivenUpPassTheirTurnOn) {
  OrderedLock lock;
  std::vector<int> order;
  std::vector<std::thread> threads;
  lock.lock();  // ticket 0
  std::vector<unsigned> tickets;
  for (int i = 1; i <= 6; ++i) tickets.push_back(lock.TakeTicket());
  for (int i : {2, 4, 6}) {
    threads.emplace_back([&, i] {
      lock.Enter(tickets[i - 1]);
      order.push_back(i);
      lock.unlock();
    });
  }
  lock.Forfeit(tickets[2]);  // 3, before its turn
  lock.unlock();             // the turn goes to 1 ...
  lock.Forfeit(tickets[0]);  // ... which gives it up when it has it
  lock.Forfeit(tickets[4]);  // 5, before or at its turn
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(order, (std::vector<int>{2, 4, 6}));
  lock.lock();  // nothing is left waiting for a turn
  lock.unlock();
}

}  // namespace
