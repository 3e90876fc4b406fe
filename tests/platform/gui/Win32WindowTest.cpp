// The Win32 toolkit's own side of the windows: the child windows a table
// gives, the icon and font, and the system's message boxes.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "TestWindow.h"
#include "platform/gui/win32/ControlWidgets.h"
#include "platform/gui/win32/Cores.h"

namespace gui {
namespace {

HWND TopLevel(const Window& window) {
  return window.Core() ? window.Core()->hwnd : nullptr;
}

HWND ControlWindowOf(const Window& window, const Text& name) {
  for (const auto& control : window.Core()->controls)
    if (control->name == name && control->widget) return control->widget->hwnd;
  return nullptr;
}

RECT PlaceInClient(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

Text WindowText(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

TEST(Win32Windows, AreBuiltFromTheirTableWithNamedControlsAndRoomForThem) {
  Window window(test::EveryControlSpec());
  window.Show();
  HWND top = TopLevel(window);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(WindowText(top), "每种控件");
  const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value;
  }();
  auto scaled = [&](int pixels) { return MulDiv(pixels, dpi, 96); };

  HWND grid = ControlWindowOf(window, "高级表格1");
  ASSERT_NE(grid, nullptr);
  const RECT gridPlace = PlaceInClient(grid);
  EXPECT_EQ(gridPlace.left, scaled(5));
  EXPECT_EQ(gridPlace.top, scaled(49));
  EXPECT_EQ(gridPlace.right - gridPlace.left, scaled(400));
  EXPECT_EQ(gridPlace.bottom - gridPlace.top, scaled(150));

  // The list box reaches 590: the client area keeps a margin after it, and
  // the status bar is docked below across the whole width.
  RECT client{};
  GetClientRect(top, &client);
  EXPECT_GE(client.right, scaled(595));
  HWND status = ControlWindowOf(window, "状态条1");
  ASSERT_NE(status, nullptr);
  const RECT statusPlace = PlaceInClient(status);
  EXPECT_EQ(statusPlace.left, 0);
  EXPECT_EQ(statusPlace.right, client.right);
  EXPECT_EQ(statusPlace.bottom, client.bottom);
  EXPECT_GE(statusPlace.top, PlaceInClient(ControlWindowOf(window, "图片框1")).bottom);

  EXPECT_EQ(window.Get<Label>("透明标签1").GetText(), "开始IP地址：");
  EXPECT_FALSE(window.Get<Grid>("透明标签1").IsValid()) << "kind must match";
  EXPECT_FALSE(window.Get<Control>("没有").IsValid());

  EXPECT_NE(GetClassLongPtrA(top, GCLP_HICON), 0u);
  EXPECT_NE(GetClassLongPtrA(top, GCLP_HICONSM), 0u);
  // The Chinese dialog font, 9 points.
  LOGFONTA font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageA(grid, WM_GETFONT, 0, 0));
  ASSERT_NE(handle, nullptr);
  GetObjectA(handle, sizeof font, &font);
  EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
  EXPECT_EQ(font.lfHeight, -MulDiv(9, dpi, 72));
  window.Close();
}

// Finds the system's message box with the caption, reads it and presses a
// button, from another thread while the GUI thread shows the box.
struct BoxSeen {
  Text text;
  HWND owner = nullptr;
  bool questionIcon = false;
  bool found = false;
};

std::thread AnswerBox(const Text& caption, int button, BoxSeen& seen) {
  return std::thread([caption, button, &seen] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    HWND box = nullptr;
    while (!box && std::chrono::steady_clock::now() < deadline) {
      box = FindWindowA("#32770", caption.c_str());
      if (!box) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!box) return;
    char text[256] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    seen.owner = GetWindow(box, GW_OWNER);
    // The box's icon is a static control of its own, shown when there is one.
    HWND icon = GetDlgItem(box, 0x14);
    if (!icon) icon = GetDlgItem(box, 0x440);
    seen.questionIcon = icon && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0);
    seen.found = true;
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
  });
}

TEST(Win32Windows, MessageBoxesAreTheSystemsBoxesWithTheirCaptionAndButtons) {
  Window owner(test::EveryControlSpec());
  owner.Show();
  BoxSeen question;
  std::thread answering = AnswerBox("版本检测", IDYES, question);
  EXPECT_TRUE(AskYesNo("有新版本，是否更新？", "版本检测", &owner));
  answering.join();
  ASSERT_TRUE(question.found);
  EXPECT_EQ(question.text, "有新版本，是否更新？");
  EXPECT_EQ(question.owner, TopLevel(owner));
  EXPECT_TRUE(question.questionIcon);

  BoxSeen message;
  answering = AnswerBox("信息：", IDOK, message);
  ShowMessage("要测试的主机已存在");
  answering.join();
  ASSERT_TRUE(message.found);
  EXPECT_EQ(message.text, "要测试的主机已存在");
  EXPECT_FALSE(message.questionIcon);
  EXPECT_TRUE(IsWindowEnabled(TopLevel(owner))) << "the windows work again afterwards";
  owner.Close();
}

}  // namespace
}  // namespace gui
