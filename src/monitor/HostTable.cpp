#include "monitor/HostTable.h"

#include "config/IniFile.h"
#include "grid/LayoutGrid.h"
#include "process/ActivityLog.h"
#include "process/AppState.h"

gui::Grid HostTableGrid() {
  return mainWindow.Get<gui::Grid>("高级表格1");
}

void LoadHostTable() {
  LayoutGrid(HostTableGrid(), kHostTableSpec);
  std::vector<Text> aliases = TextSplit(configFile->KeyNames("list"), "\r\n");
  if (!aliases.empty()) {
    LogMessage("载入主机列表……");
    for (const Text& alias : aliases) AppendHostRow(alias, configFile->ReadText("list", alias));
  }
  pingDelayMs = configFile->ReadInt("config", "speed", 500);
}

void AppendHostRow(const Text& alias, const Text& host) {
  gui::Grid grid = HostTableGrid();
  int r = grid.RowCount();
  grid.AppendRow(IntegerToText(r));
  grid.SetCellText(r, 1, alias);
  if (IsIPv4Literal(host)) {
    grid.SetCellText(r, 3, host);
    grid.SetCellText(r, 5, "真");
  } else {
    grid.SetCellText(r, 2, host);
    grid.SetCellText(r, 5, "假");
  }
  grid.SetAlignment(0, 0, r, 0, gui::Align::Center);
  grid.SetAlignment(0, 5, r, 8, gui::Align::Center);
}

bool IsIPv4Literal(const Text& text) {
  std::vector<Text> parts = TextSplit(text, ".");
  if (parts.size() != 4) return false;
  for (const Text& part : parts) {
    int v = TextToInteger(part);
    if (IntegerToText(v) != part || v >= 256) return false;
  }
  return true;
}

void RenumberRows() {
  gui::Grid grid = HostTableGrid();
  for (int r = 1; r < grid.RowCount(); ++r) grid.SetCellText(r, 0, IntegerToText(r));
}
