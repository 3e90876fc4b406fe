#include "ui/AboutWindow.h"

#include "process/AppState.h"

gui::Window aboutWindow;

namespace {

// The notice sits in the free area between the rule and the button.
gui::WindowSpec AboutWindowSpec() {
  using gui::ControlKind;
  return {"关于我们",
          50,
          50,
          474,
          392,
          {
              {ControlKind::PictureBox, "图片框1", 27, 16, 72, 72},
              {ControlKind::Label, "透明标签1", 116, 13, 326, 56, "Korvello IPv4 版"},
              {ControlKind::Label, "透明标签5", 116, 65, 282, 13, "本软件仅支持IPv4"},
              {ControlKind::Label, "透明标签4", 308, 85, 149, 24, "www.korvello.example"},
              {ControlKind::Shape, "外形框1", 18, 110, 432, 2},
              {ControlKind::Button, "按钮1", 379, 322, 76, 29, "确定"},
              {ControlKind::Label, "透明标签6", 27, 126, 420, 120,
               "使用须知：\n"
               "本软件仅限 Ambrisel 内部使用，只供本单位的员工在本单位的\n"
               "网络中测试主机和设备。\n"
               "未经许可，请勿将本软件复制或转发给单位以外的人员，\n"
               "也不要用它测试其他单位的网络。"},
          }};
}

}  // namespace

gui::Window NewAboutWindow() {
  gui::Window window(AboutWindowSpec());
  window.Get<gui::PictureBox>("图片框1").SetPicture("app-icon");
  auto version = window.Get<gui::Label>("透明标签5");
  window.OnCreated([version]() mutable { version.SetText("本软件仅支持IPv4   版本号：1"); });
  window.Get<gui::Button>("按钮1").OnClicked([window]() mutable { window.Close(); });
  return window;
}

void OpenAboutWindow() {
  aboutWindow = NewAboutWindow();
  aboutWindow.ShowModal(&mainWindow);
  aboutWindow = gui::Window();
}
