#pragma once
// A window with one control of every kind, and a way to pump the GUI
// thread until something has happened.

#include <chrono>
#include <functional>

#include "platform/gui/Gui.h"

namespace gui::test {

inline WindowSpec EveryControlSpec() {
  return {"每种控件",
          50,
          50,
          600,
          420,
          {
              {ControlKind::Toolbar, "工具条", 4, 4, 560, 40},
              {ControlKind::Grid, "高级表格1", 5, 49, 400, 150},
              {ControlKind::ListBox, "列表框1", 410, 49, 180, 150},
              {ControlKind::EditBox, "编辑框1", 5, 210, 150, 24, "*"},
              {ControlKind::IPv4Box, "开始_IP编辑框", 160, 210, 146, 24},
              {ControlKind::ComboBox, "组合框1", 310, 210, 150, 22},
              {ControlKind::CheckBox, "选择框1", 470, 210, 120, 24, "保存为常用"},
              {ControlKind::Button, "按钮1", 5, 245, 100, 32, "添 加"},
              {ControlKind::Label, "透明标签1", 110, 250, 64, 18, "开始IP地址："},
              {ControlKind::Slider, "滑块条1", 200, 250, 256, 24},
              {ControlKind::ProgressBar, "进度条1", 5, 285, 450, 6},
              {ControlKind::PictureBox, "图片框1", 470, 245, 72, 72, "app-icon"},
              {ControlKind::Shape, "外形框1", 5, 300, 450, 2},
              {ControlKind::StatusBar, "状态条1", 0, 370, 594, 20, "当前状态："},
          }};
}

// Pumps events on the GUI thread until done() or the time is up.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    WaitWithEvents(2);
  }
  return true;
}

}  // namespace gui::test
