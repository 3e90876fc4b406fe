#include "app/ToolbarCommands.h"

#include "app/MainWindow.h"
#include "config/IniFile.h"
#include "lan/LanSearchWindow.h"
#include "monitor/AddHostWindow.h"
#include "monitor/HostTable.h"
#include "monitor/TestCycle.h"
#include "netinfo/LocalInfoWindow.h"
#include "process/ActivityLog.h"
#include "process/AppState.h"
#include "ui/AboutWindow.h"
#include "ui/SettingsWindow.h"

namespace {

gui::Toolbar MainToolbar() {
  return mainWindow.Get<gui::Toolbar>("工具条");
}

}  // namespace

void RunToolbarCommand(int position) {
  switch (position) {
    case kAddButton:
      OpenAddHostWindow();
      break;
    case kDeleteButton:
      DeleteHostRow();
      break;
    case kReloadButton:
      ReloadHostTable();
      break;
    case kStartButton:
      StartTest();
      break;
    case kStopButton:
      StopTest();
      break;
    case kLocalInfoButton:
      ShowLocalInfoWindow(&mainWindow);
      break;
    case kLanSearchButton:
      OpenLanSearchWindow();
      break;
    case kSettingsButton:
      OpenSettingsWindow();
      break;
    case kAboutButton:
      OpenAboutWindow();
      break;
    default:
      break;
  }
}

void DeleteHostRow() {
  gui::Grid grid = HostTableGrid();
  int row = grid.CursorRow();
  // Without a cursor row there is no alias: row 0 is the header, and its
  // "别名" must not be taken for a saved host's alias.
  if (row > 0) {
    Text alias = grid.CellText(row, 1);
    if (!alias.empty()) configFile->DeleteKey("list", alias);
    int column = grid.CursorColumn();
    grid.DeleteRow(row);
    // The cursor keeps its row number, moves up from a deleted last row and
    // is gone with the last data row.
    int lastRow = grid.RowCount() - 1;
    if (lastRow >= 1) {
      grid.SetCursor(row <= lastRow ? row : lastRow, column);
    } else {
      grid.SetCursor(0, 0);
    }
  }
  RenumberRows();
}

void ReloadHostTable() {
  LoadHostTable();
  RenumberRows();
}

void StartTest() {
  if (HostTableGrid().RowCount() <= 1) {
    LogMessage("请先添加，需要测试的主机……");
    return;
  }
  testRunning = 1;
  MainToolbar().SetButtonEnabled(kStartButton, false);
  MainToolbar().SetButtonEnabled(kStopButton, true);
  LogMessage("开始测试……");
  StartTestCycle();
}

void StopTest() {
  // The cycle ends after the pass in hand; nothing waits for it.
  testRunning = 0;
  MainToolbar().SetButtonEnabled(kStopButton, false);
  MainToolbar().SetButtonEnabled(kStartButton, true);
  LogMessage("停止测试……");
}

void OnHostTableCursorMoved() {
  MainToolbar().SetButtonEnabled(kDeleteButton, HostTableGrid().CursorRow() > 0);
}

void OnHostTableRightButton() {
  gui::Grid grid = HostTableGrid();
  int row = grid.CursorRow();
  int column = grid.CursorColumn();
  if (row <= 0 || column <= 0) return;
  if (!gui::SetClipboardText(grid.CellText(row, column))) return;
  LogMessage("已将 " + gui::ClipboardText() + "  复制到剪辑板中。");
}
