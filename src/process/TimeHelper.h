#pragma once

#include "text/Text.h"

// The log's clock. Holds no data; its table of operations begins with
// Release and Clone, as that of IniFile does.
class TimeHelper {
 public:
  virtual ~TimeHelper() = default;
  virtual void Release();
  virtual TimeHelper* Clone() const;
  // The current local time of day as HH:MM:SS, 24-hour clock.
  virtual Text TimeOfDayText() const;
};

// Two-digit hour, minute and second joined by ":".
Text FormatTimeOfDay(int hour, int minute, int second);
