#include "OffscreenSearch.h"

#include <chrono>
#include <cstdlib>
#include <sstream>

#include "lan/LanSearchWindow.h"
#include "platform/gui/Gui.h"
#include "process/AppState.h"

namespace {

constexpr auto kLongestSearch = std::chrono::seconds(60);

std::vector<Text> Split(const std::string& line) {
  std::vector<Text> fields;
  std::istringstream in(line);
  std::string field;
  while (std::getline(in, field, '\t')) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.push_back("");
  return fields;
}

}  // namespace

SearchOutcome SearchWithTheRealWindow() {
#ifndef _WIN32
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
#endif
  static int argc = 1;
  static char name[] = "korvello";
  static char* argv[] = {name, nullptr};
  // Never destroyed: the child that runs this ends with _exit.
  new gui::Application(argc, argv);
  lanAddressList = new std::vector<Text>();

  OpenLanSearchWindow();
  gui::Window window = OpenedLanSearchWindow();
  auto status = window.Get<gui::StatusBar>("状态条1");
  SearchOutcome outcome;
  outcome.start = window.Get<gui::IPv4Box>("开始_IP编辑框").Address();
  outcome.end = window.Get<gui::IPv4Box>("结束_IP编辑框").Address();

  using Clock = std::chrono::steady_clock;
  const Clock::time_point pressed = Clock::now();
  window.Get<gui::Button>("搜索_按钮").UserClick();
  while (status.PartText(1) != "已停止" && Clock::now() - pressed < kLongestSearch)
    gui::WaitWithEvents(1);
  outcome.seconds = std::chrono::duration<double>(Clock::now() - pressed).count();
  outcome.stopped = status.PartText(1) == "已停止";

  auto grid = window.Get<gui::Grid>("高级表格1");
  for (int r = 1; r < grid.RowCount(); ++r) {
    std::vector<Text> cells;
    bool red = true;
    for (int c = 0; c < grid.ColumnCount(); ++c) {
      cells.push_back(grid.CellText(r, c));
      red = red && grid.CellTextColor(r, c) == 255;
    }
    outcome.rows.push_back(cells);
    outcome.red.push_back(red);
  }
  outcome.boxesEnabled = window.Get<gui::IPv4Box>("开始_IP编辑框").IsEnabled() &&
                         window.Get<gui::IPv4Box>("结束_IP编辑框").IsEnabled();
  outcome.searchEnabled = window.Get<gui::Button>("搜索_按钮").IsEnabled();
  outcome.stopEnabled = window.Get<gui::Button>("停止_按钮").IsEnabled();
  outcome.part1 = status.PartText(1);
  outcome.part2 = status.PartText(2);
  outcome.label = window.Get<gui::Label>("透明标签4").GetText();
  auto bar = window.Get<gui::ProgressBar>("进度条1");
  outcome.barMaximum = bar.Maximum();
  outcome.barPosition = bar.Position();
  return outcome;
}

std::string ToText(const SearchOutcome& o) {
  std::ostringstream out;
  out << "range\t" << o.start << "\t" << o.end << "\n";
  out << "state\t" << o.boxesEnabled << "\t" << o.searchEnabled << "\t" << o.stopEnabled << "\t"
      << o.part1 << "\t" << o.part2 << "\t" << o.label << "\t" << o.barMaximum << "\t"
      << o.barPosition << "\t" << o.seconds << "\t" << o.stopped << "\n";
  for (size_t r = 0; r < o.rows.size(); ++r) {
    out << "row\t" << o.red[r];
    for (const Text& cell : o.rows[r]) out << "\t" << cell;
    out << "\n";
  }
  return out.str();
}

SearchOutcome FromText(const std::string& text) {
  SearchOutcome o;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<Text> f = Split(line);
    if (f.empty()) continue;
    if (f[0] == "range" && f.size() == 3) {
      o.start = f[1];
      o.end = f[2];
    } else if (f[0] == "state" && f.size() == 11) {
      o.boxesEnabled = f[1] == "1";
      o.searchEnabled = f[2] == "1";
      o.stopEnabled = f[3] == "1";
      o.part1 = f[4];
      o.part2 = f[5];
      o.label = f[6];
      o.barMaximum = std::stoi(f[7]);
      o.barPosition = std::stoi(f[8]);
      o.seconds = std::stod(f[9]);
      o.stopped = f[10] == "1";
    } else if (f[0] == "row" && f.size() >= 2) {
      o.red.push_back(f[1] == "1");
      o.rows.emplace_back(f.begin() + 2, f.end());
    }
  }
  return o;
}
