#include "platform/os/Clock.h"

#include <time.h>

namespace os {

TimeOfDay LocalTimeOfDay() {
  time_t now = time(nullptr);
  struct tm local;
  if (!localtime_r(&now, &local)) return TimeOfDay();
  return TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace os
