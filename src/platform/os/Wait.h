#pragma once
// Waiting for a shared counter to change, for the locks built on atomics.
// Each system uses its own kernel wait: the C++ library's atomic wait of the
// Windows toolchain can miss a wake-up under load and sleep for ever.

#include <atomic>

namespace os {

// Blocks while `value` still holds `seen`. May return early; the caller
// checks its condition again.
void WaitWhileEqual(std::atomic<unsigned>& value, unsigned seen);

// Wakes every thread waiting on `value`.
void WakeAll(std::atomic<unsigned>& value);

}  // namespace os
