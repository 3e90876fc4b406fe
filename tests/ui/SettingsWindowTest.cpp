#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "support/MainWindowFixture.h"
#include "ui/SettingsWindow.h"
#include "ui/WindowCommand.h"

namespace {

class SettingsWindowTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    OpenMainWindow();
  }
  void TearDown() override {
    if (window_.IsOpen()) window_.Close();
    MainWindowFixture::TearDown();
  }

  void Open(int delay) {
    if (window_.IsOpen()) window_.Close();
    pingDelayMs = delay;
    window_ = NewSettingsWindow();
    window_.Show(&mainWindow);
  }

  gui::Slider Slider() const { return window_.Get<gui::Slider>("滑块条1"); }
  gui::EditBox Edit() const { return window_.Get<gui::EditBox>("编辑框1"); }
  // What config.ini holds now.
  Text Saved() const { return IniFile().ReadText("config", "speed", "none", ConfigPath()); }

  gui::Window window_;
};

TEST_F(SettingsWindowTest, ControlsAndSlider) {
  Open(500);
  EXPECT_EQ(window_.Title(), "设置");
  EXPECT_EQ(window_.Get<gui::Label>("透明标签1").GetText(), "设置延时(MS)：");
  gui::Slider slider = Slider();
  EXPECT_EQ(slider.Minimum(), 5);
  EXPECT_EQ(slider.Maximum(), 2000);
  EXPECT_EQ(slider.PageStep(), 5);
  EXPECT_EQ(slider.LineStep(), 1);
}

// Typing, replacing the text and moving the thumb: after every step the
// delay is in pingDelayMs, in the slider's position value and in config.ini.
TEST_F(SettingsWindowTest, EveryChangeIsTakenAndSavedAtOnce) {
  enum class Act { Opened, Replace, Key, Drag, SliderKey, ClickThumb };
  struct Step {
    Act act;
    Text input;
    int delay, thumb;
    Text shown;  // the edit box afterwards
  };
  struct Case {
    const char* name;
    int opening;
    int maximum;  // once opened
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"fraction",
       500,
       2000,
       {{Act::Opened, "", 500, 500, "500"}, {Act::Replace, "12.9", 12, 12, "12.9"}}},
      {"negative", 500, 2000, {{Act::Replace, "-7", 0, 5, "-7"}}},
      {"beyond the stored limit", 500, 2000, {{Act::Replace, "99999", 32767, 2000, "99999"}}},
      {"too large for any integer", 500, 2000, {{Act::Replace, "1e999", 32767, 2000, "1e999"}}},
      {"not a number", 500, 2000, {{Act::Replace, "abc", 0, 5, "abc"}}},
      {"empty", 500, 2000, {{Act::Replace, "", 0, 5, ""}}},
      {"full-width digits", 500, 2000, {{Act::Replace, "１５００", 1500, 1500, "１５００"}}},
      {"below the range, then dragged",
       500,
       2000,
       {{Act::Replace, "3", 3, 5, "3"},
        {Act::Drag, "100", 100, 100, "100"},
        {Act::Drag, "5000", 2000, 2000, "2000"}}},
      // The thumb stays at the minimum, yet the delay takes its place.
      {"below the range, then Home",
       500,
       2000,
       {{Act::Replace, "3", 3, 5, "3"}, {Act::SliderKey, "36", 5, 5, "5"}}},
      {"below the range, then a click on the thumb",
       500,
       2000,
       {{Act::Replace, "3", 3, 5, "3"}, {Act::ClickThumb, "", 5, 5, "5"}}},
      {"End, then Left",
       500,
       2000,
       {{Act::SliderKey, "35", 2000, 2000, "2000"}, {Act::SliderKey, "37", 1999, 1999, "1999"}}},
      {"key by key",
       500,
       2000,
       {{Act::Replace, "8", 8, 8, "8"},
        {Act::Key, "0", 80, 80, "80"},
        {Act::Key, "0", 800, 800, "800"}}},
      {"opened above the maximum", 3000, 3000, {{Act::Opened, "", 3000, 3000, "3000"}}},
      {"opened below the minimum", 2, 2000, {{Act::Opened, "", 2, 5, "2"}}},
      {"opened above the stored limit", 40000, 32767, {{Act::Opened, "", 32767, 32767, "40000"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(c.opening);
    EXPECT_EQ(Slider().Maximum(), c.maximum);
    for (const Step& step : c.steps) {
      SCOPED_TRACE(step.input);
      switch (step.act) {
        case Act::Opened:
          break;
        case Act::Replace:
          Edit().SetText("");
          Edit().UserType(step.input);
          break;
        case Act::Key:
          Edit().UserType(step.input);
          break;
        case Act::Drag:
          Slider().UserMoveThumb(TextToInteger(step.input));
          break;
        case Act::SliderKey:
          Slider().UserPressKey(TextToInteger(step.input));
          break;
        case Act::ClickThumb:
          Slider().UserClickThumb();
          break;
      }
      EXPECT_EQ(pingDelayMs, step.delay);
      EXPECT_EQ(Slider().Position(), step.delay);
      EXPECT_EQ(Slider().ThumbPosition(), step.thumb);
      EXPECT_EQ(Edit().GetText(), step.shown);
      EXPECT_EQ(Saved(), IntegerToText(step.delay));
    }
  }
}

TEST_F(SettingsWindowTest, ToolbarOpensItModalOverTheMainWindow) {
  pingDelayMs = 250;
  Text shown;
  EXPECT_TRUE(RunModalCommand(kSettingsButton, settingsWindow, [&](gui::Window window) {
    shown = window.Get<gui::EditBox>("编辑框1").GetText();
    window.Close();
  }));
  EXPECT_EQ(shown, "250");
  EXPECT_EQ(Saved(), "250");
  EXPECT_FALSE(settingsWindow.IsOpen());
}

}  // namespace
