#include "process/TimeHelper.h"

#include "platform/os/Clock.h"

namespace {

Text TwoDigits(int value) {
  Text digits = IntegerToText(value);
  return digits.size() < 2 ? "0" + digits : digits;
}

}  // namespace

void TimeHelper::Release() {}

TimeHelper* TimeHelper::Clone() const {
  return new TimeHelper();
}

Text TimeHelper::TimeOfDayText() const {
  os::TimeOfDay now = os::LocalTimeOfDay();
  return FormatTimeOfDay(now.hour, now.minute, now.second);
}

Text FormatTimeOfDay(int hour, int minute, int second) {
  return TwoDigits(hour) + ":" + TwoDigits(minute) + ":" + TwoDigits(second);
}
