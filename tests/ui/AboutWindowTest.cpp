#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "process/AppState.h"
#include "support/MainWindowFixture.h"
#include "ui/AboutWindow.h"
#include "ui/WindowCommand.h"

namespace {

using AboutWindowTest = MainWindowFixture;

TEST_F(AboutWindowTest, ShowsItsTextsAndTheButtonClosesIt) {
  OpenMainWindow();
  Text title, picture, name, scope, address, notice, button;
  bool closedByButton = false;
  EXPECT_TRUE(RunModalCommand(kAboutButton, aboutWindow, [&](gui::Window window) {
    title = window.Title();
    picture = window.Get<gui::PictureBox>("图片框1").Picture();
    name = window.Get<gui::Label>("透明标签1").GetText();
    scope = window.Get<gui::Label>("透明标签5").GetText();
    address = window.Get<gui::Label>("透明标签4").GetText();
    notice = window.Get<gui::Label>("透明标签6").GetText();
    button = window.Get<gui::Button>("按钮1").GetText();
    window.Get<gui::Button>("按钮1").UserClick();
    closedByButton = !window.IsOpen();
  }));
  EXPECT_EQ(title, "关于我们");
  EXPECT_EQ(picture, "app-icon");
  EXPECT_EQ(name, "Korvello IPv4 版");
  EXPECT_EQ(scope, "本软件仅支持IPv4   版本号：1");
  EXPECT_EQ(address, "www.korvello.example");
  EXPECT_NE(notice.find("内部使用"), Text::npos);
  EXPECT_EQ(button, "确定");
  EXPECT_TRUE(closedByButton);
  EXPECT_TRUE(mainWindow.IsOpen());
}

TEST_F(AboutWindowTest, ScopeTextIsSetWhenTheWindowOpens) {
  OpenMainWindow();
  gui::Window window = NewAboutWindow();
  EXPECT_EQ(window.Get<gui::Label>("透明标签5").GetText(), "本软件仅支持IPv4");
  window.Show(&mainWindow);
  EXPECT_EQ(window.Get<gui::Label>("透明标签5").GetText(), "本软件仅支持IPv4   版本号：1");
  window.Close();
}

}  // namespace
