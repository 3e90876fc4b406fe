#include "process/ActivityLog.h"

#include "process/AppState.h"
#include "process/TimeHelper.h"

Text LogLine(const Text& timeOfDay, const Text& message) {
  return "[ " + timeOfDay + " ] " + message;
}

void LogMessage(const Text& message) {
  TimeHelper* clock = timeHelper;
  if (clock == nullptr) return;
  Text line = LogLine(clock->TimeOfDayText(), message);
  mainWindow.Get<gui::ListBox>("列表框1").InsertItem(0, line);
}
