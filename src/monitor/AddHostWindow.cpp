#include "monitor/AddHostWindow.h"

#include "config/IniFile.h"
#include "monitor/HostTable.h"
#include "process/AppState.h"

namespace {

constexpr int kEnterKey = 13;

gui::WindowSpec AddHostWindowSpec() {
  using gui::ControlKind;
  return {"添加主机",
          50,
          50,
          495,
          140,
          {
              {ControlKind::Label, "透明标签1", 16, 25, 72, 16, "域名/IP地址："},
              {ControlKind::EditBox, "编辑框1", 94, 19, 247, 28},
              {ControlKind::Label, "透明标签2", 16, 73, 48, 16, "别 名："},
              {ControlKind::EditBox, "编辑框2", 58, 67, 283, 28},
              {ControlKind::Button, "按钮1", 361, 19, 112, 40, "添 加"},
              {ControlKind::CheckBox, "选择框1", 352, 71, 120, 24, "保存为常用"},
          }};
}

// The texts are taken exactly as typed.
void AddHost(const gui::Window& window) {
  auto hostBox = window.Get<gui::EditBox>("编辑框1");
  auto aliasBox = window.Get<gui::EditBox>("编辑框2");
  Text host = hostBox.GetText();
  Text alias = aliasBox.GetText();
  if (window.Get<gui::CheckBox>("选择框1").IsChecked()) {
    if (alias.empty()) {
      gui::ShowMessage("要保存为常用，请输入别名");
      aliasBox.SetFocus();
      return;
    }
    // Saved before the presence test: a host already in the table is saved
    // all the same.
    SaveHost(alias, host);
  }
  if (HostExists(host)) {
    gui::ShowMessage("要测试的主机已存在");
    hostBox.SetFocus();
    hostBox.SelectAll();
    return;
  }
  AppendHostRow(alias, host);
}

}  // namespace

gui::Window MakeAddHostWindow() {
  gui::Window window(AddHostWindowSpec());
  // The handlers hold the window's handle; closing the window drops them.
  window.Get<gui::Button>("按钮1").OnClicked([window] { AddHost(window); });
  for (const char* box : {"编辑框1", "编辑框2"}) {
    window.Get<gui::EditBox>(box).OnKeyPressed([window](int keyCode) {
      if (keyCode == kEnterKey) AddHost(window);
    });
  }
  window.OnCreated([window] { window.Get<gui::EditBox>("编辑框1").SetFocus(); });
  return window;
}

void OpenAddHostWindow() {
  MakeAddHostWindow().ShowModal(&mainWindow);
}

bool HostExists(const Text& host) {
  gui::Grid grid = HostTableGrid();
  for (int r = 1; r < grid.RowCount(); ++r)
    if (grid.CellText(r, 2) == host || grid.CellText(r, 3) == host) return true;
  return false;
}

void SaveHost(const Text& alias, const Text& host) {
  configFile->WriteValue("list", alias, host);
}
