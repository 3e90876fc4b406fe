#pragma once

// The exit routine runs once when the process ends: after the message loop,
// or when the update check ends the process.
void RegisterExitRoutine();
void RunExitRoutine();
