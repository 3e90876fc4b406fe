#pragma once
// A lock that grants entry in the order in which the threads asked for it
// (a ticket lock). The LAN dispatcher has each worker ask before it starts
// the next one, so the workers probe in address order and the worker of the
// last address, which ends the search, comes after all the others.

#include <atomic>

class OrderedLock {
 public:
  // Asking and entering in one; the same as TakeTicket, then Enter.
  void lock() { Enter(TakeTicket()); }
  void unlock();

  // A place in the queue: a ticket that must be entered (and then left
  // with unlock) before any later ticket can enter.
  unsigned TakeTicket() { return nextTicket_.fetch_add(1); }
  // Waits for the ticket's turn.
  void Enter(unsigned ticket);

 private:
  // A waiter sleeps on the slot of its ticket, so that each unlock wakes
  // only the next thread in line.
  static constexpr unsigned kSlots = 64;
  std::atomic<unsigned> nextTicket_{0};
  std::atomic<unsigned> nowServing_{0};
  std::atomic<unsigned> wakeUps_[kSlots] = {};
};
