#include <gtest/gtest.h>

#include "config/IniFile.h"
#include "monitor/AddHostWindow.h"
#include "monitor/HostTable.h"
#include "process/AppState.h"
#include "support/MainWindowFixture.h"

namespace {

class AddHostWindowTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    gui::SetMessageHook([this](const gui::MessageRecord& m) {
      messages_.push_back(m.caption + m.text);
      return true;
    });
    OpenMainWindow();
    window_ = MakeAddHostWindow();
    window_.Show(&mainWindow);
  }

  void TearDown() override {
    gui::SetMessageHook(nullptr);
    if (window_.IsOpen()) window_.Close();
    MainWindowFixture::TearDown();
  }

  gui::EditBox HostBox() const { return window_.Get<gui::EditBox>("编辑框1"); }
  gui::EditBox AliasBox() const { return window_.Get<gui::EditBox>("编辑框2"); }
  gui::CheckBox SaveBox() const { return window_.Get<gui::CheckBox>("选择框1"); }

  // The saved hosts as "alias=host" lines.
  Text SavedHosts() const {
    Text saved;
    for (const Text& alias : TextSplit(configFile->KeyNames("list"), "\r\n"))
      saved += alias + "=" + configFile->ReadText("list", alias) + ";";
    return saved;
  }

  gui::Window window_;
  std::vector<Text> messages_;
};

enum class Trigger { Click, EnterInHost, EnterInAlias };

TEST_F(AddHostWindowTest, AddsSavesAndRefusesAsTheBoxesSay) {
  EXPECT_EQ(window_.Title(), "添加主机");
  EXPECT_FALSE(SaveBox().IsChecked());
  EXPECT_TRUE(HostBox().HasFocus());

  struct Step {
    Text host, alias;
    bool save;
    Trigger trigger;
    Text message;  // empty for none
    int rows;      // data rows afterwards
    Text saved;
    const char* focus;  // the box that has the focus afterwards, or nullptr
  };
  const Text exists = "信息：要测试的主机已存在";
  const Text needsAlias = "信息：要保存为常用，请输入别名";
  const Step steps[] = {
      {"10.0.0.1", "", false, Trigger::Click, "", 1, "", nullptr},
      {"10.0.0.1", "", false, Trigger::EnterInHost, exists, 1, "", "编辑框1"},
      {"nas01", "", true, Trigger::Click, needsAlias, 1, "", "编辑框2"},
      // Saved first, then found present.
      {"10.0.0.1", "A", true, Trigger::EnterInAlias, exists, 1, "A=10.0.0.1;", "编辑框1"},
      // The alias's saved host is replaced, and the row added.
      {"nas01", "A", true, Trigger::Click, "", 2, "A=nas01;", nullptr},
      // Row 1 has an empty column 2, so an empty host counts as present.
      {"", "", false, Trigger::Click, exists, 2, "A=nas01;", "编辑框1"},
      // Unchecked: added, nothing saved.
      {"nas02", "", false, Trigger::Click, "", 3, "A=nas01;", nullptr},
  };
  int number = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(++number);
    messages_.clear();
    HostBox().SetText(s.host);
    AliasBox().SetText(s.alias);
    SaveBox().SetChecked(s.save);
    AliasBox().SetFocus();
    if (s.trigger == Trigger::Click) window_.Get<gui::Button>("按钮1").UserClick();
    if (s.trigger == Trigger::EnterInHost) HostBox().UserPressKey(13);
    if (s.trigger == Trigger::EnterInAlias) AliasBox().UserPressKey(13);

    EXPECT_EQ(messages_, s.message.empty() ? std::vector<Text>{} : std::vector<Text>{s.message});
    EXPECT_EQ(HostGrid().RowCount() - 1, s.rows);
    EXPECT_EQ(SavedHosts(), s.saved);
    if (s.focus) {
      EXPECT_TRUE(window_.Get<gui::EditBox>(s.focus).HasFocus());
    }
    if (s.message == exists) {
      EXPECT_EQ(HostBox().SelectedText(), s.host);
    }
    // The window stays open with the texts as they were.
    EXPECT_TRUE(window_.IsOpen());
    EXPECT_EQ(HostBox().GetText(), s.host);
    EXPECT_EQ(AliasBox().GetText(), s.alias);
  }

  gui::Grid grid = HostGrid();
  EXPECT_EQ(grid.CellText(1, 3), "10.0.0.1");
  EXPECT_EQ(grid.CellText(1, 5), "真");
  EXPECT_EQ(grid.CellText(2, 1), "A");
  EXPECT_EQ(grid.CellText(2, 2), "nas01");
  EXPECT_EQ(grid.CellText(2, 5), "假");

  // Keys other than Enter are not looked at.
  HostBox().SetText("nas03");
  HostBox().UserPressKey(9);
  AliasBox().UserPressKey(65);
  EXPECT_EQ(HostGrid().RowCount() - 1, 3);
}

TEST_F(AddHostWindowTest, EmptyHostIsAddedToAnEmptyTable) {
  window_.Get<gui::Button>("按钮1").UserClick();
  EXPECT_TRUE(messages_.empty());
  ASSERT_EQ(HostGrid().RowCount(), 2);
  EXPECT_EQ(HostGrid().CellText(1, 5), "假");
}

TEST_F(AddHostWindowTest, HostsSeenByTheCycleCountAsPresent) {
  AppendHostRow("", "nas01");
  HostGrid().SetCellText(1, 3, "192.0.2.15");  // an address a reply named
  EXPECT_TRUE(HostExists("nas01"));
  EXPECT_TRUE(HostExists("192.0.2.15"));
  EXPECT_FALSE(HostExists("NAS01"));
  EXPECT_FALSE(HostExists("nas01 "));
}

}  // namespace
