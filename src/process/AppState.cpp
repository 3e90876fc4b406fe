#include "process/AppState.h"

IniFile* configFile = nullptr;
TimeHelper* timeHelper = nullptr;
std::atomic<int> pingDelayMs{0};
std::atomic<int> testRunning{0};
Text lanLocalAddress;
std::unique_ptr<OrderedLock> lanLock;
std::atomic<int> lanRunning{0};
std::atomic<int> lanWorkerLimit{0};
std::vector<Text>* lanAddressList = nullptr;
std::atomic<int> lanActiveWorkers{0};
gui::Window mainWindow;
