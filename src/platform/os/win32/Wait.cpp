#include "platform/os/Wait.h"

#include <windows.h>

namespace os {

static_assert(sizeof(std::atomic<unsigned>) == sizeof(unsigned));

void WaitWhileEqual(std::atomic<unsigned>& value, unsigned seen) {
  WaitOnAddress(reinterpret_cast<volatile void*>(&value), &seen, sizeof seen, INFINITE);
}

void WakeAll(std::atomic<unsigned>& value) {
  WakeByAddressAll(reinterpret_cast<void*>(&value));
}

}  // namespace os
