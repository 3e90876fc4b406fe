// The Qt toolkit's own side of the windows: the widgets a table gives, the
// icon and font, and the message boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "TestWindow.h"
#include "platform/gui/qt/Cores.h"

namespace gui {
namespace {

QWidget* TopLevel(const Window& window) {
  return window.Core() ? window.Core()->widget.data() : nullptr;
}

TEST(QtWindows, AreBuiltFromTheirTableWithNamedControlsAndRoomForThem) {
  Window window(test::EveryControlSpec());
  window.Show();
  QWidget* top = TopLevel(window);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(window.Title(), "每种控件");
  EXPECT_EQ(top->windowTitle(), QStringLiteral(u"每种控件"));
  QWidget* grid = top->findChild<QWidget*>(QStringLiteral(u"高级表格1"));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->geometry(), QRect(5, 49, 400, 150));
  // 600 x 420 outer gives 594 x 391 inside, but the list box reaches 590;
  // the status bar is docked below across the whole width.
  EXPECT_EQ(top->size(), QSize(595, 391));
  QWidget* status = top->findChild<QWidget*>(QStringLiteral(u"状态条1"));
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->geometry(), QRect(0, 371, 595, 20));
  EXPECT_EQ(window.Get<Label>("透明标签1").GetText(), "开始IP地址：");
  EXPECT_FALSE(window.Get<Grid>("透明标签1").IsValid()) << "kind must match";
  EXPECT_FALSE(window.Get<Control>("没有").IsValid());

  const QList<QSize> sizes = top->windowIcon().availableSizes();
  EXPECT_EQ(sizes.size(), 8);
  EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(128, 128)));
  EXPECT_EQ(QApplication::font().pointSize(), 9);
  window.Close();
}

TEST(QtWindows, MessageBoxesAreModalBoxesWithTheirCaptionAndButtons) {
  Window owner(test::EveryControlSpec());
  owner.Show();
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QWidget* parent = nullptr;
  QTimer::singleShot(50, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    parent = box->parentWidget();
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_TRUE(AskYesNo("有新版本，是否更新？", "版本检测", &owner));
  EXPECT_EQ(title, QStringLiteral(u"版本检测"));
  EXPECT_EQ(text, QStringLiteral(u"有新版本，是否更新？"));
  EXPECT_EQ(icon, QMessageBox::Question);
  EXPECT_EQ(parent, TopLevel(owner));

  QTimer::singleShot(50, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    box->button(QMessageBox::Ok)->click();
  });
  ShowMessage("要测试的主机已存在");
  EXPECT_EQ(title, QStringLiteral(u"信息："));
  owner.Close();
}

}  // namespace
}  // namespace gui
