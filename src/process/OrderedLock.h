#pragma once
// A lock that grants entry in the order of its tickets (a ticket lock). The
// LAN dispatcher takes each worker's ticket as it starts the worker, so the
// workers probe in address order, whatever order the scheduler runs them
// in, and the worker of the last address, which ends the search, comes
// after all the others.
//
// At most kSlots tickets may be taken and not yet served at once.

#include <atomic>

class OrderedLock {
 public:
  static constexpr unsigned kSlots = 64;

  // Takes a ticket and waits for its turn.
  void lock() { Enter(TakeTicket()); }
  // Gives the turn to the next ticket that has not been given up.
  void unlock();

  // A place in the queue. Every ticket taken must be entered (and then left
  // with unlock) or given up, or the later ones never get their turn.
  unsigned TakeTicket() { return nextTicket_.fetch_add(1); }
  // Waits for the ticket's turn.
  void Enter(unsigned ticket);
  // Gives up a ticket that will not be entered; does not wait.
  void Forfeit(unsigned ticket);

 private:
  void PassTurnFrom(unsigned holder);

  std::atomic<unsigned> nextTicket_{0};
  std::atomic<unsigned> nowServing_{0};
  // Per slot: a count that changes whenever the slot's ticket may have got
  // its turn (its waiter sleeps on it), and ticket + 1 once it was given up.
  std::atomic<unsigned> wakeUps_[kSlots] = {};
  std::atomic<unsigned> forfeited_[kSlots] = {};
};
