#include "platform/os/Wait.h"

namespace os {

// The C++ library waits on a futex here.
void WaitWhileEqual(std::atomic<unsigned>& value, unsigned seen) {
  value.wait(seen);
}

void WakeAll(std::atomic<unsigned>& value) {
  value.notify_all();
}

}  // namespace os
