#include "lan/OrderedLock.h"

void OrderedLock::Enter(unsigned ticket) {
  std::atomic<unsigned>& slot = wakeUps_[ticket % kSlots];
  for (;;) {
    // Read the slot before the test: an unlock after the test changes it,
    // so the wait cannot miss it.
    const unsigned seen = slot.load();
    if (nowServing_.load() == ticket) return;
    slot.wait(seen);
  }
}

void OrderedLock::unlock() {
  const unsigned next = nowServing_.fetch_add(1) + 1;
  std::atomic<unsigned>& slot = wakeUps_[next % kSlots];
  slot.fetch_add(1);
  slot.notify_all();
}
