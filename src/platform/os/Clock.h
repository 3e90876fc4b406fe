#pragma once
// The local time of day.

namespace os {

struct TimeOfDay {
  int hour = 0;  // 0..23
  int minute = 0;
  int second = 0;
};

// The local time, read once (so the three parts belong together).
TimeOfDay LocalTimeOfDay();

}  // namespace os
