#include "app/MainWindow.h"

#include "app/ToolbarCommands.h"
#include "config/IniFile.h"
#include "monitor/HostTable.h"
#include "platform/os/ConfigPath.h"
#include "platform/os/Files.h"
#include "process/ActivityLog.h"
#include "process/AppState.h"
#include "update/UpdateCheck.h"

namespace {

gui::WindowSpec MainWindowSpec() {
  using gui::ControlKind;
  return {"Korvello IPv4 版 [ Ambrisel 专用 ]",
          50,
          50,
          900,
          600,
          {
              {ControlKind::Toolbar, "工具条", 14, 4, 834, 40},
              {ControlKind::Grid, "高级表格1", 5, 49, 884, 415},
              {ControlKind::ListBox, "列表框1", 5, 471, 884, 120},
          }};
}

struct ToolbarButton {
  Text caption;
  Text hint;
  int picture;
  bool enabled;
};

void FillToolbar(gui::Toolbar toolbar) {
  const ToolbarButton buttons[] = {
      {" 添 加 ", "添加一个测试的域名/IP", 3, true},
      {" 删 除 ", "删除测试列表中的域名/IP", 5, false},
      {" 刷 新 ", "重新载入主机列表", 10, true},
      {},
      {" 开 始 ", "开始测试所有的域名/IP", 1, true},
      {" 停 止 ", "停止测试所有的域名/IP", 2, false},
      {},
      {" 本 机 ", "显示本机的网络信息", 9, true},
      {" 搜 索 ", "搜索局域网中所有的设备", 6, true},
      {},
      {" 设 置 ", "程序设置功能", 7, true},
      {" 关 于 ", "关于作者", 0, true},
  };
  for (const ToolbarButton& b : buttons) {
    if (b.caption.empty()) {
      toolbar.AddSeparator();
    } else {
      toolbar.AddButton(b.caption, b.hint, b.picture, b.enabled);
    }
  }
}

}  // namespace

void OnMainWindowCreated() {
  configFile->SetFilePath(os::ConfigFilePath());
  LogMessage("初始化中……");
  LoadHostTable();
  StartUpdateCheck();
}

void LoadMainWindow() {
  mainWindow = gui::Window(MainWindowSpec());
  FillToolbar(mainWindow.Get<gui::Toolbar>("工具条"));
  mainWindow.OnCreated(OnMainWindowCreated);
  mainWindow.Get<gui::Toolbar>("工具条").OnClicked(RunToolbarCommand);
  auto hostGrid = mainWindow.Get<gui::Grid>("高级表格1");
  hostGrid.OnCursorMoved(OnHostTableCursorMoved);
  hostGrid.OnRightButton(OnHostTableRightButton);
  auto log = mainWindow.Get<gui::ListBox>("列表框1");
  log.OnDoubleClick([log]() mutable { log.Clear(); });
  mainWindow.Show();
}
