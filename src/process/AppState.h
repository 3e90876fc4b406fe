#pragma once
// Process-wide state through which the windows and the background threads
// talk to each other. Everything is zero or empty when the process starts.

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/gui/Gui.h"
#include "process/OrderedLock.h"
#include "text/Text.h"

class IniFile;
class TimeHelper;

// Created at start-up, bound to config.ini when the main window exists.
extern IniFile* configFile;
// Gives the log's time stamps; holds no data.
extern TimeHelper* timeHelper;

// The pause before each pass of the test cycle, in milliseconds.
extern std::atomic<int> pingDelayMs;
// 1 while testing is wanted.
extern std::atomic<int> testRunning;

// The LAN search.
extern Text lanLocalAddress;
// Created when a search starts and released when it stops; it lets the
// workers in the order they queued.
extern std::unique_ptr<OrderedLock> lanLock;
extern std::atomic<int> lanRunning;
extern std::atomic<int> lanWorkerLimit;
extern std::vector<Text>* lanAddressList;
extern std::atomic<int> lanActiveWorkers;

// The main window, once it has been loaded.
extern gui::Window mainWindow;
