// Windows: built from their tables, their created and closed events, and
// what their handles do once they are gone.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "TestWindow.h"
#include "ToolkitInternals.h"

namespace gui {
namespace {

TEST(Windows, CreatedRunsBeforeShowingAndClosedWhileControlsWork) {
  Window window(test::EveryControlSpec());
  bool visibleAtCreated = true;
  int created = 0;
  Text readAtClose;
  window.OnCreated([&] {
    ++created;
    visibleAtCreated = test::IsOnScreen(window);
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

}  // namespace
}  // namespace gui
