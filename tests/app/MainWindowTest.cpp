#include <gtest/gtest.h>

#include <utility>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/ToolbarCommands.h"
#include "monitor/HostTable.h"
#include "support/MainWindowFixture.h"

namespace {

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, OpensWithToolbarStatesAndWithoutConfig) {
  OpenMainWindow();
  EXPECT_EQ(mainWindow.Title(), "Korvello IPv4 版 [ Ambrisel 专用 ]");
  gui::Toolbar toolbar = Toolbar();
  ASSERT_EQ(toolbar.PositionCount(), 12);
  struct Position {
    int position;
    Text caption;
    Text hint;
    int picture;
    bool enabled;
  };
  const Position expected[] = {
      {0, " 添 加 ", "添加一个测试的域名/IP", 3, true},
      {1, " 删 除 ", "删除测试列表中的域名/IP", 5, false},
      {2, " 刷 新 ", "重新载入主机列表", 10, true},
      {4, " 开 始 ", "开始测试所有的域名/IP", 1, true},
      {5, " 停 止 ", "停止测试所有的域名/IP", 2, false},
      {7, " 本 机 ", "显示本机的网络信息", 9, true},
      {8, " 搜 索 ", "搜索局域网中所有的设备", 6, true},
      {10, " 设 置 ", "程序设置功能", 7, true},
      {11, " 关 于 ", "关于作者", 0, true},
  };
  for (const Position& p : expected) {
    EXPECT_EQ(toolbar.ButtonCaption(p.position), p.caption);
    EXPECT_EQ(toolbar.ButtonHint(p.position), p.hint);
    EXPECT_EQ(toolbar.ButtonPicture(p.position), p.picture);
    EXPECT_EQ(toolbar.IsButtonEnabled(p.position), p.enabled) << p.position;
  }
  for (int separator : {3, 6, 9}) EXPECT_EQ(toolbar.ButtonPicture(separator), -1);

  EXPECT_EQ(LogMessages(), std::vector<Text>{"初始化中……"});
  EXPECT_EQ(HostGrid().RowCount(), 1);
  EXPECT_EQ(HostGrid().CellText(0, 4), "结果");
  EXPECT_EQ(HostGrid().ColumnWidth(5), 0);
  EXPECT_EQ(pingDelayMs, 500);
}

TEST_F(MainWindowTest, LoadsSavedHostsInFileOrder) {
  WriteConfig(
      "[list]\r\ngateway=192.168.1.1\r\nnas=nas01\r\n=\r\nempty=\r\n[config]\r\nspeed=250\r\n");
  OpenMainWindow();
  gui::Grid grid = HostGrid();
  ASSERT_EQ(grid.RowCount(), 4);
  struct Row {
    Text number, alias, name, address, isAddress;
  };
  const Row rows[] = {
      {"1", "gateway", "", "192.168.1.1", "真"},
      {"2", "nas", "nas01", "", "假"},
      {"3", "empty", "", "", "假"},
  };
  for (int r = 1; r <= 3; ++r) {
    const Row& row = rows[r - 1];
    EXPECT_EQ(grid.CellText(r, 0), row.number);
    EXPECT_EQ(grid.CellText(r, 1), row.alias);
    EXPECT_EQ(grid.CellText(r, 2), row.name);
    EXPECT_EQ(grid.CellText(r, 3), row.address);
    EXPECT_EQ(grid.CellText(r, 5), row.isAddress);
    EXPECT_EQ(grid.CellAlignment(r, 0), gui::Align::Center);
    EXPECT_EQ(grid.CellAlignment(r, 6), gui::Align::Center);
    EXPECT_EQ(grid.CellAlignment(r, 1), gui::Align::Left);
  }
  EXPECT_EQ(LogMessages(), (std::vector<Text>{"载入主机列表……", "初始化中……"}));
  EXPECT_EQ(pingDelayMs, 250);
}

TEST(HostTableRules, IsIPv4Literal) {
  struct Case {
    Text text;
    bool expected;
  };
  const Case cases[] = {
      {"192.168.1.1", true},
      {"0.0.0.0", true},
      {"-1.2.3.4", true},
      {"1.2.3.4.", true},
      {"255.255.255.256", false},
      {"1.2.3", false},
      {"1.2.3.4.5", false},
      {"01.2.3.4", false},
      {"1..3.4", false},
      {"nas01", false},
      {"+1.2.3.4", false},
      {" 1.2.3.4", false},
      {"１.2.3.4", false},
      {"", false},
      {"1.2.3.99999999999", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsIPv4Literal(c.text), c.expected) << c.text;
}

TEST_F(MainWindowTest, DeleteForgetsTheAliasAndRenumbers) {
  WriteConfig("[list]\r\na=10.0.0.1\r\nb=10.0.0.2\r\nc=10.0.0.3\r\n");
  OpenMainWindow();
  AppendHostRow("", "10.0.0.4");
  gui::Grid grid = HostGrid();

  grid.UserClickCell(2, 1);
  EXPECT_TRUE(Toolbar().IsButtonEnabled(kDeleteButton));
  Toolbar().UserClick(kDeleteButton);
  EXPECT_EQ(ReadConfig(), "[list]\r\na=10.0.0.1\r\nc=10.0.0.3\r\n");
  ASSERT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.CellText(2, 3), "10.0.0.3");
  EXPECT_EQ(grid.CellText(2, 0), "2");
  EXPECT_EQ(grid.CellText(3, 0), "3");
  EXPECT_EQ(grid.CursorRow(), 2);  // stays on the same row number

  // The last row (no alias): config.ini unchanged, the cursor moves up.
  grid.UserClickCell(3, 1);
  Toolbar().UserClick(kDeleteButton);
  EXPECT_EQ(ReadConfig(), "[list]\r\na=10.0.0.1\r\nc=10.0.0.3\r\n");
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(grid.CursorRow(), 2);

  // Deleting every row leaves no cursor; Delete then only renumbers.
  DeleteHostRow();
  DeleteHostRow();
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_LE(grid.CursorRow(), 0);
  EXPECT_TRUE(Toolbar().IsButtonEnabled(kDeleteButton));  // no button changes
  DeleteHostRow();
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(ReadConfig(), "[list]\r\n");
}

TEST_F(MainWindowTest, DeletingAnUnsavedRowForgetsTheSavedAliasOfTheSameName) {
  WriteConfig("[list]\r\nA=10.0.0.1\r\n");
  OpenMainWindow();
  AppendHostRow("A", "10.0.0.9");
  HostGrid().UserClickCell(2, 0);
  DeleteHostRow();
  EXPECT_EQ(ReadConfig(), "[list]\r\n");
  EXPECT_EQ(HostGrid().RowCount(), 2);
}

TEST_F(MainWindowTest, ReloadDropsUnsavedHostsAndResults) {
  WriteConfig("[list]\r\na=10.0.0.1\r\n[config]\r\nspeed=700\r\n");
  OpenMainWindow();
  AppendHostRow("", "nas01");
  HostGrid().SetCellText(1, 4, "字节=32 时间=6ms TTL=64");
  pingDelayMs = 5;
  HostGrid().UserClickCell(1, 1);
  Toolbar().UserClick(kReloadButton);
  ASSERT_EQ(HostGrid().RowCount(), 2);
  EXPECT_EQ(HostGrid().CellText(1, 3), "10.0.0.1");
  EXPECT_EQ(HostGrid().CellText(1, 4), "");
  EXPECT_LE(HostGrid().CursorRow(), 0);
  EXPECT_EQ(pingDelayMs, 700);
}

TEST_F(MainWindowTest, CursorMovesEnableAndDisableDelete) {
  WriteConfig("[list]\r\na=10.0.0.1\r\n");
  OpenMainWindow();
  // Loading rows or focusing the table moves no cursor: " 删 除 " stays as
  // the window opened it.
  HostGrid().SetFocus();
  gui::ProcessPendingEvents();
  EXPECT_LE(HostGrid().CursorRow(), 0);
  EXPECT_FALSE(Toolbar().IsButtonEnabled(kDeleteButton));
  HostGrid().UserClickCell(1, 2);
  EXPECT_TRUE(Toolbar().IsButtonEnabled(kDeleteButton));
  HostGrid().UserClickCell(0, 2);
  EXPECT_FALSE(Toolbar().IsButtonEnabled(kDeleteButton));
}

TEST_F(MainWindowTest, RightButtonCopiesTheCursorCellNotTheClickedOne) {
  WriteConfig("[list]\r\nweb=10.0.0.1\r\nnas=10.0.0.2\r\n");
  OpenMainWindow();
  gui::Grid grid = HostGrid();
  grid.UserClickCell(1, 3);
  // Over another data cell, the header and the empty area below the rows.
  for (auto [row, column] : {std::pair{2, 1}, {0, 3}, {7, 2}}) {
    gui::SetClipboardText("unchanged");
    grid.UserRightClickCell(row, column);
    EXPECT_EQ(gui::ClipboardText(), "10.0.0.1") << row << "," << column;
    EXPECT_EQ(LogMessages().front(), "已将 10.0.0.1  复制到剪辑板中。");
    EXPECT_EQ(grid.CursorRow(), 1);
    EXPECT_EQ(grid.CursorColumn(), 3);
  }

  int lines = Log().ItemCount();
  gui::SetClipboardText("unchanged");
  grid.UserClickCell(1, 0);
  grid.UserRightClickCell(1, 3);  // the row number is never copied
  EXPECT_EQ(gui::ClipboardText(), "unchanged");
  grid.UserClickCell(0, 0);
  grid.UserRightClickCell(1, 3);  // nor anything without a cursor
  EXPECT_EQ(gui::ClipboardText(), "unchanged");
  EXPECT_EQ(Log().ItemCount(), lines);
}

}  // namespace
