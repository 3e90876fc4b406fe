#pragma once
// The window "搜索局域网": the user edits a start and an end address, presses
// "搜 索" and "停 止", and each device that answers becomes a row of the
// window's grid. It has no owner, so it can outlive the main window.

#include "lan/ScanWorkers.h"
#include "platform/gui/Gui.h"
#include "text/Text.h"

// Opens the window, or brings it to the front when it is open already.
void OpenLanSearchWindow();
// The search window while it is open; an invalid handle otherwise.
gui::Window OpenedLanSearchWindow();
// The controls of the open window for the search with that number.
SearchContext SearchWindowContext(int search);

// The window's created handler: lays out the grid and proposes the range.
void InitSearchWindow();
// "搜 索": builds the address list and, when it is accepted, runs the search.
void StartSearch();
// "停 止", and the worker of the last address: ends the search. Runs that
// overlap are merged into one, which releases lanLock and empties
// lanAddressList once no other worker runs.
void StopSearch();
// The status bar's part 1.
void SetSearchState(const Text& state);
