#include "platform/os/Clock.h"

#include <windows.h>

namespace os {

TimeOfDay LocalTimeOfDay() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return TimeOfDay{now.wHour, now.wMinute, now.wSecond};
}

}  // namespace os
