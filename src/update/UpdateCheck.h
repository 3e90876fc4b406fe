#pragma once
// The update check that runs once at every start: it puts a delivered
// updater in place of the old one, asks the update site whether a newer
// version is offered and, when the user agrees, starts the updater and ends
// the program so that the updater can replace it.

// The fixed argument that names the update site on the updater's command line.
inline constexpr char kUpdateSiteArgument[] = "update.korvello.example";

// Starts UpdateCheck on a thread of its own; nobody waits for it. A thread
// that cannot be started is no error: the program works without the check.
void StartUpdateCheck();

// The check itself, step by step. Failures are silent; the user sees at most
// the log line and, when a newer version is offered, the question.
void UpdateCheck();

// Tests that open the main window for other reasons keep the check from
// starting with it; true restores the start.
void SetUpdateCheckAtStartForTesting(bool enabled);
