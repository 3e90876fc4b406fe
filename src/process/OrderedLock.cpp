#include "process/OrderedLock.h"

#include "platform/os/Wait.h"

void OrderedLock::Enter(unsigned ticket) {
  std::atomic<unsigned>& slot = wakeUps_[ticket % kSlots];
  for (;;) {
    // Read the slot before the test: a turn given after the test changes
    // it, so the wait cannot miss it.
    const unsigned seen = slot.load();
    if (nowServing_.load() == ticket) return;
    os::WaitWhileEqual(slot, seen);
  }
}

void OrderedLock::unlock() {
  PassTurnFrom(nowServing_.load());
}

void OrderedLock::Forfeit(unsigned ticket) {
  std::atomic<unsigned>& mark = forfeited_[ticket % kSlots];
  mark.store(ticket + 1);
  // Its turn may have come already. Whoever clears the mark (this thread
  // or the one giving the turn) passes the turn on, never both.
  unsigned marked = ticket + 1;
  if (nowServing_.load() == ticket && mark.compare_exchange_strong(marked, 0)) PassTurnFrom(ticket);
}

// The holder of the turn gives it up: the next ticket gets it, and when that
// one was given up before, the one after, and so on.
void OrderedLock::PassTurnFrom(unsigned holder) {
  for (unsigned ticket = holder + 1;; ++ticket) {
    nowServing_.store(ticket);
    std::atomic<unsigned>& slot = wakeUps_[ticket % kSlots];
    slot.fetch_add(1);
    os::WakeAll(slot);
    unsigned marked = ticket + 1;
    if (!forfeited_[ticket % kSlots].compare_exchange_strong(marked, 0)) return;
  }
}
