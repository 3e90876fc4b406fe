// The rules the windows rely on, control by control.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "TestWindow.h"

namespace gui {
namespace {

class ControlRules : public ::testing::Test {
 protected:
  void SetUp() override { window.Show(); }
  void TearDown() override { window.Close(); }

  Window window{test::EveryControlSpec()};
};

TEST_F(ControlRules, SliderKeepsTheStoredValueApartFromTheThumb) {
  auto slider = window.Get<Slider>("滑块条1");
  slider.SetRange(5, 2000);
  int events = 0;
  slider.OnPositionChanged([&] { ++events; });
  struct Case {
    int set, position, thumb;
  };
  for (const Case& c : std::vector<Case>{
           {3, 3, 5}, {-7, 0, 5}, {800, 800, 800}, {5000, 5000, 2000}, {40000, 32767, 2000}}) {
    slider.SetPosition(c.set);
    EXPECT_EQ(slider.Position(), c.position) << c.set;
    EXPECT_EQ(slider.ThumbPosition(), c.thumb) << c.set;
  }
  EXPECT_EQ(events, 0) << "setting from code raises nothing";

  // Every scroll notification stores the thumb's place and raises the
  // event, also when the thumb does not move: a drag's press, move and
  // release, a key, a click on the thumb.
  slider.UserMoveThumb(100);
  EXPECT_EQ(events, 3);
  EXPECT_EQ(slider.Position(), 100);
  struct UserAct {
    const char* name;
    std::function<void()> act;
    int events;
  };
  const UserAct acts[] = {
      {"drag to where the thumb is", [&] { slider.UserMoveThumb(5); }, 2},
      {"Home at the minimum", [&] { slider.UserPressKey(36); }, 1},
      {"click on the thumb", [&] { slider.UserClickThumb(); }, 2},
  };
  for (const UserAct& a : acts) {
    slider.SetPosition(3);  // the thumb stands at the minimum, 5
    events = 0;
    a.act();
    EXPECT_EQ(events, a.events) << a.name;
    EXPECT_EQ(slider.Position(), 5) << a.name;
  }
  slider.UserMoveThumb(9999);
  EXPECT_EQ(slider.Position(), 2000);

  for (auto [set, stored] :
       std::vector<std::pair<int, int>>{{3000, 3000}, {40000, 32767}, {-5, 0}}) {
    slider.SetMaximum(set);
    EXPECT_EQ(slider.Maximum(), stored) << set;
  }
  EXPECT_EQ(slider.Minimum(), 5);
  slider.SetSteps(5, 1);
  EXPECT_EQ(slider.PageStep(), 5);
  EXPECT_EQ(slider.LineStep(), 1);
}

TEST_F(ControlRules, IPv4BoxNormalisesOrClears) {
  auto box = window.Get<IPv4Box>("开始_IP编辑框");
  struct Case {
    Text set, read;
  };
  for (const Case& c : std::vector<Case>{
           {"192.168.001.010", "192.168.1.10"},
           {" 10 . 0 .0.  1 ", "10.0.0.1"},
           {"0.0.0.0", "0.0.0.0"},
           {"255.255.255.255", "255.255.255.255"},
           {"1.2.3", ""},
           {"1.2.3.256", ""},
           {"1.2.3.4.5", ""},  // the fourth part is "4.5"
           {"1..3.4", ""},
           {"a.b.c.d", ""},
           {"-1.2.3.4", ""},
           {"１.2.3.4", ""},  // full-width digit
           {"", ""},
       }) {
    box.SetAddress("9.9.9.9");
    box.SetAddress(c.set);
    EXPECT_EQ(box.Address(), c.read) << c.set;
  }
}

TEST_F(ControlRules, EditBoxRaisesTextChangedForCodeOnceAndForEachTypedKey) {
  auto edit = window.Get<EditBox>("编辑框1");
  std::vector<Text> seen;
  std::vector<int> keys;
  edit.OnTextChanged([&] { seen.push_back(edit.GetText()); });
  edit.OnKeyPressed([&](int key) { keys.push_back(key); });

  edit.SetText("800");
  edit.SetText("800");
  EXPECT_EQ(seen, (std::vector<Text>{"800", "800"})) << "once per setting, text already in place";

  seen.clear();
  edit.SetText("");
  seen.clear();
  edit.UserType("a1中");
  EXPECT_EQ(seen, (std::vector<Text>{"a", "a1", "a1中"}));
  EXPECT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0], 'A');
  EXPECT_EQ(keys[1], '1');

  keys.clear();
  seen.clear();
  edit.UserPressKey(13);
  edit.UserPressKey(8);
  EXPECT_EQ(keys, (std::vector<int>{13, 8}));
  EXPECT_EQ(seen, (std::vector<Text>{"a1"}))
      << "Enter types nothing, Backspace removes one character";

  edit.SelectAll();
  EXPECT_EQ(edit.SelectedText(), "a1");
}

TEST_F(ControlRules, ComboBoxRaisesItsEventForUserChoicesOnly) {
  auto combo = window.Get<ComboBox>("组合框1");
  int events = 0;
  combo.OnItemSelected([&] { ++events; });
  for (Text item : {"网卡一", "网卡二", "网卡三"}) combo.AddItem(item);
  EXPECT_EQ(combo.SelectedIndex(), -1);
  combo.Select(1);
  EXPECT_EQ(combo.SelectedIndex(), 1);
  EXPECT_EQ(events, 0);
  combo.UserSelect(2);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(combo.ItemText(combo.SelectedIndex()), "网卡三");
  combo.Select(7);
  EXPECT_EQ(combo.SelectedIndex(), -1);
  EXPECT_EQ(combo.ItemText(7), "");
  combo.Clear();
  EXPECT_EQ(combo.ItemCount(), 0);
}

TEST_F(ControlRules, GridReadsOutsideAreEmptyAndRowsKeepTheirKeys) {
  auto grid = window.Get<Grid>("高级表格1");
  grid.SetColumnCount(3);
  grid.SetCellText(0, 0, "序号");
  for (Text first : {"1", "2", "3"}) grid.AppendRow(first);
  ASSERT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.CellText(0, 0), "序号");
  EXPECT_EQ(grid.CellText(3, 0), "3");

  grid.SetCellText(4, 0, "x");
  grid.SetCellText(1, 3, "x");
  grid.SetCellText(-1, 0, "x");
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.ColumnCount(), 3);
  for (auto [r, c] : std::vector<std::pair<int, int>>{{4, 0}, {1, 3}, {-1, 0}, {0, -1}})
    EXPECT_EQ(grid.CellText(r, c), "") << r << "," << c;

  // Rectangles are clipped to the grid.
  grid.SetTextColor(2, 1, 9, 9, 0x8000);
  grid.SetAlignment(0, 0, 4, 0, Align::Center);
  EXPECT_EQ(grid.CellTextColor(3, 2), 0x8000u);
  EXPECT_EQ(grid.CellTextColor(1, 1), kDefaultTextColor);
  EXPECT_EQ(grid.CellAlignment(0, 0), Align::Center);
  EXPECT_EQ(grid.CellAlignment(1, 1), Align::Left);

  const long long key3 = grid.RowKey(3);
  grid.DeleteRow(2);
  EXPECT_EQ(grid.RowOfKey(key3), 2);
  EXPECT_EQ(grid.CellText(2, 0), "3");
  EXPECT_EQ(grid.RowKey(9), 0);
  grid.SetColumnWidth(1, 0);
  EXPECT_EQ(grid.ColumnWidth(1), 0);

  grid.Reset();
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.CellText(2, 0), "");
  EXPECT_EQ(grid.CellTextColor(2, 2), kDefaultTextColor);
}

TEST_F(ControlRules, GridCursorAfterDeletionAndItsEvents) {
  auto grid = window.Get<Grid>("高级表格1");
  grid.SetColumnCount(4);
  for (Text first : {"1", "2", "3"}) grid.AppendRow(first);
  int moved = 0, right = 0;
  grid.OnCursorMoved([&] { ++moved; });
  grid.OnRightButton([&] { ++right; });
  EXPECT_EQ(grid.CursorRow(), 0);

  grid.UserClickCell(2, 3);
  EXPECT_EQ(moved, 1);
  EXPECT_EQ(grid.CursorRow(), 2);
  EXPECT_EQ(grid.CursorColumn(), 3);
  // The right button is raised wherever it is pressed (a data cell, the
  // header, below the rows) and never moves the cursor.
  for (auto [row, column] : {std::pair{1, 1}, {0, 2}, {9, 9}}) {
    grid.UserRightClickCell(row, column);
    EXPECT_EQ(grid.CursorRow(), 2) << row << "," << column;
    EXPECT_EQ(grid.CursorColumn(), 3);
  }
  EXPECT_EQ(right, 3);
  EXPECT_EQ(moved, 1);
  grid.UserClickCell(1, 1);
  EXPECT_EQ(moved, 2);

  // Row numbers under the cursor: same number while rows remain below,
  // one up after the last row, none after the only one.
  grid.DeleteRow(1);
  EXPECT_EQ(grid.CursorRow(), 1);
  EXPECT_EQ(grid.CursorColumn(), 1);
  grid.SetCursor(2, 0);
  grid.DeleteRow(2);
  EXPECT_EQ(grid.CursorRow(), 1);
  grid.DeleteRow(1);
  EXPECT_LE(grid.CursorRow(), 0);
  EXPECT_EQ(moved, 2) << "what the program does raises no cursor event";
}

TEST_F(ControlRules, ToolbarCountsSeparatorsAsPositions) {
  auto toolbar = window.Get<Toolbar>("工具条");
  toolbar.AddButton(" 添 加 ", "添加一个测试的域名/IP", 3);
  toolbar.AddButton(" 删 除 ", "删除测试列表中的域名/IP", 5, false);
  toolbar.AddSeparator();
  toolbar.AddButton(" 关 于 ", "关于作者", 0);
  std::vector<int> clicks;
  toolbar.OnClicked([&](int position) { clicks.push_back(position); });

  EXPECT_EQ(toolbar.PositionCount(), 4);
  EXPECT_EQ(toolbar.ButtonPicture(2), -1);
  EXPECT_EQ(toolbar.ButtonPicture(3), 0);
  EXPECT_EQ(toolbar.ButtonHint(1), "删除测试列表中的域名/IP");
  EXPECT_EQ(toolbar.ButtonCaption(0), " 添 加 ");
  EXPECT_FALSE(toolbar.IsButtonEnabled(1));
  toolbar.UserClick(1);
  toolbar.UserClick(2);
  toolbar.SetButtonEnabled(1, true);
  toolbar.UserClick(1);
  toolbar.UserClick(3);
  EXPECT_EQ(clicks, (std::vector<int>{1, 3}));
}

TEST_F(ControlRules, SmallControlsKeepTheirState) {
  auto status = window.Get<StatusBar>("状态条1");
  status.SetParts({70, 120, -1});
  status.SetPartText(1, "正在搜索……");
  EXPECT_EQ(status.PartCount(), 3);
  EXPECT_EQ(status.PartText(0), "当前状态：");
  EXPECT_EQ(status.PartText(1), "正在搜索……");
  EXPECT_EQ(status.PartText(3), "");

  auto progress = window.Get<ProgressBar>("进度条1");
  progress.SetMaximum(254);
  progress.SetPosition(300);
  EXPECT_EQ(progress.Position(), 254);
  progress.SetMaximum(0);
  EXPECT_EQ(progress.Position(), 0);

  auto list = window.Get<ListBox>("列表框1");
  int doubleClicks = 0;
  list.OnDoubleClick([&] { ++doubleClicks; });
  list.InsertItem(0, "[ 09:05:03 ] 开始测试……");
  list.InsertItem(0, "later");
  list.InsertItem(99, "last");
  EXPECT_EQ(list.ItemText(0), "later");
  EXPECT_EQ(list.ItemText(2), "last");
  list.UserDoubleClick(1);
  list.UserDoubleClick(5);
  EXPECT_EQ(doubleClicks, 1);

  auto check = window.Get<CheckBox>("选择框1");
  check.UserToggle();
  EXPECT_TRUE(check.IsChecked());
  auto button = window.Get<Button>("按钮1");
  int clicks = 0;
  button.OnClicked([&] { ++clicks; });
  button.SetEnabled(false);
  button.UserClick();
  button.SetEnabled(true);
  button.UserClick();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button.GetText(), "添 加");

  auto edit = window.Get<EditBox>("编辑框1");
  edit.SetFocus();
  EXPECT_TRUE(edit.HasFocus());
  button.SetFocus();
  EXPECT_FALSE(edit.HasFocus());
  EXPECT_TRUE(button.HasFocus());

  auto picture = window.Get<PictureBox>("图片框1");
  EXPECT_EQ(picture.Picture(), "app-icon");
  picture.SetPicture("no-such-picture");
  EXPECT_EQ(picture.Picture(), "");

  EXPECT_TRUE(SetClipboardText("已将 10.0.0.1"));
  EXPECT_EQ(ClipboardText(), "已将 10.0.0.1");
}

}  // namespace
}  // namespace gui
