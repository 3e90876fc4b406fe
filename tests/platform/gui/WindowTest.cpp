// Windows: built from their tables, their created and closed events, and
// what their handles do once they are gone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <thread>

#include "TestWindow.h"
#include "platform/gui/qt/Cores.h"

namespace gui {
namespace {

QWidget* TopLevel(const Window& window) {
  return window.Core() ? window.Core()->widget.data() : nullptr;
}

TEST(Windows, AreBuiltFromTheirTableWithNamedControlsAndRoomForThem) {
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

TEST(Windows, CreatedRunsBeforeShowingAndClosedWhileControlsWork) {
  Window window(test::EveryControlSpec());
  bool visibleAtCreated = true;
  int created = 0;
  Text readAtClose;
  window.OnCreated([&] {
    ++created;
    visibleAtCreated = TopLevel(window)->isVisible();
    window.Get<Label>("透明标签1").SetText("本软件仅支持IPv4   版本号：1");
  });
  window.OnClosed([&] { readAtClose = window.Get<Label>("透明标签1").GetText(); });
  window.Show();
  window.Show();
  EXPECT_EQ(created, 1);
  EXPECT_FALSE(visibleAtCreated);
  window.Close();
  EXPECT_EQ(readAtClose, "本软件仅支持IPv4   版本号：1");
}

TEST(Windows, HandlesOfAClosedWindowDoNothingFromAnyThread) {
  Window window(test::EveryControlSpec());
  window.Show();
  auto grid = window.Get<Grid>("高级表格1");
  auto edit = window.Get<EditBox>("编辑框1");
  grid.SetColumnCount(2);
  grid.AppendRow("1");
  ASSERT_TRUE(grid.IsValid());
  window.Close();
  test::PumpUntil([] { return false; }, std::chrono::milliseconds(20));  // deletes the widgets

  EXPECT_FALSE(window.IsOpen());
  EXPECT_FALSE(grid.IsValid());
  EXPECT_EQ(grid.RowCount(), 0);
  grid.SetCellText(1, 0, "x");
  EXPECT_EQ(grid.CellText(1, 0), "");
  edit.SetText("x");
  EXPECT_EQ(edit.GetText(), "");
  window.Show();
  window.Close();

  std::atomic<bool> done{false};
  Text fromWorker = "unset";
  std::thread worker([&] {
    grid.AppendRow("2");
    fromWorker = grid.CellText(1, 0);
    done = true;
  });
  EXPECT_TRUE(test::PumpUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_EQ(fromWorker, "");
}

TEST(Windows, OwnedWindowsCloseBeforeTheirOwner) {
  Window owner(test::EveryControlSpec());
  Window owned(WindowSpec{"关于我们", 50, 50, 474, 392, {}});
  std::vector<Text> order;
  owner.OnClosed([&] { order.push_back("owner"); });
  owned.OnClosed([&] { order.push_back("owned"); });
  owner.Show();
  owned.Show(&owner);
  owner.Close();
  EXPECT_EQ(order, (std::vector<Text>{"owned", "owner"}));
  EXPECT_FALSE(owned.IsOpen());
}

TEST(Windows, MessageBoxesAreModalBoxesWithTheirCaptionAndButtons) {
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
