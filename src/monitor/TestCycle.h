#pragma once
// The test cycle: pass after pass over the host table, one ping per row, on
// a thread of its own, until testRunning is 0 at the end of a pass.

#include <memory>

#include "monitor/HostProbe.h"

// Starts the cycle's thread with the probe; call it after setting
// testRunning to 1. At most one cycle runs at a time: while one is still
// running (for instance a stopped one finishing its pass) no second one
// starts, and that cycle carries on after its pass because the flag is 1.
void StartTestCycle(std::shared_ptr<HostProbe> probe = SystemHostProbe());

// True from StartTestCycle until the cycle has ended after its last pass.
bool IsTestCycleRunning();
