#pragma once
// One whole search with the real window and the real probes, in a process
// that has no toolkit yet (a child that has entered the scanner's network
// namespace, or a Windows program started there): starts the toolkit
// (offscreen on Linux), opens "搜索局域网", presses
// "搜 索" and waits for "已停止". The outcome travels back to the test as text.

#include <string>
#include <vector>

#include "text/Text.h"

struct SearchOutcome {
  Text start, end;                      // the proposed range, as the boxes show it
  std::vector<std::vector<Text>> rows;  // the cells of each result row
  std::vector<bool> red;                // every cell of the row is red
  bool boxesEnabled = false, searchEnabled = false, stopEnabled = false;
  Text part1, part2, label;
  int barMaximum = -1, barPosition = -1;
  double seconds = 0;    // from pressing "搜 索" to "已停止"
  bool stopped = false;  // "已停止" came within the time allowed
};

SearchOutcome SearchWithTheRealWindow();

std::string ToText(const SearchOutcome& outcome);
SearchOutcome FromText(const std::string& text);
