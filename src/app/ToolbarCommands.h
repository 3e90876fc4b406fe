#pragma once
// The main window's toolbar commands and host-table handlers. All run on the
// GUI thread.

// Runs the command of a toolbar position; separators do nothing.
void RunToolbarCommand(int position);

void DeleteHostRow();
void ReloadHostTable();
void StartTest();
void StopTest();

// Enables " 删 除 " on a data row, disables it on the header or no row.
void OnHostTableCursorMoved();
// Copies the cell at the cursor to the clipboard and logs it.
void OnHostTableRightButton();
