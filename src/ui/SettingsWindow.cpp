#include "ui/SettingsWindow.h"

#include <algorithm>
#include <cmath>

#include "config/IniFile.h"
#include "process/AppState.h"
#include "text/Text.h"

gui::Window settingsWindow;

namespace {

gui::WindowSpec SettingsWindowSpec() {
  using gui::ControlKind;
  return {"设置",
          50,
          50,
          448,
          107,
          {
              {ControlKind::Label, "透明标签1", 16, 30, 80, 16, "设置延时(MS)："},
              {ControlKind::Slider, "滑块条1", 100, 26, 256, 24},
              {ControlKind::EditBox, "编辑框1", 353, 25, 64, 24},
          }};
}

// The integer part, cut towards zero. A number far beyond anything the
// slider stores is held at a large bound first, so the conversion stays
// defined; the slider limits it further.
int IntegerPart(double number) {
  if (std::isnan(number)) return 0;
  return static_cast<int>(std::clamp(number, -1e9, 1e9));
}

// Saved at once; the result of the write is not looked at.
void TakeDelay(int delay) {
  configFile->WriteValue("config", "speed", IntegerToText(delay));
  pingDelayMs = delay;
}

void OnOpening(gui::Slider slider, gui::EditBox edit) {
  int delay = pingDelayMs;
  if (slider.Maximum() < delay) slider.SetMaximum(delay);
  slider.SetPosition(delay);
  // Raises the text-changed handler once, which saves and sets the delay.
  edit.SetText(IntegerToText(delay));
}

void OnSliderMoved(gui::Slider slider, gui::EditBox edit) {
  // The edit box's handler runs inside SetText; it sets the slider's
  // position without an event, so nothing comes back here.
  edit.SetText(IntegerToText(slider.Position()));
  TakeDelay(slider.Position());
}

void OnTextChanged(gui::Slider slider, gui::EditBox edit) {
  double number = TextToNumber(edit.GetText());
  slider.SetPosition(IntegerPart(number));
  TakeDelay(slider.Position());
}

}  // namespace

gui::Window NewSettingsWindow() {
  gui::Window window(SettingsWindowSpec());
  auto slider = window.Get<gui::Slider>("滑块条1");
  auto edit = window.Get<gui::EditBox>("编辑框1");
  slider.SetRange(5, 2000);
  slider.SetSteps(5, 1);
  window.OnCreated([slider, edit] { OnOpening(slider, edit); });
  slider.OnPositionChanged([slider, edit] { OnSliderMoved(slider, edit); });
  edit.OnTextChanged([slider, edit] { OnTextChanged(slider, edit); });
  return window;
}

void OpenSettingsWindow() {
  settingsWindow = NewSettingsWindow();
  settingsWindow.ShowModal(&mainWindow);
  settingsWindow = gui::Window();
}
