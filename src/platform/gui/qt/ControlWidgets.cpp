#include "platform/gui/qt/ControlWidgets.h"

namespace gui::qt {

QWidget* CreateControlWidget(ControlKind kind, QWidget* parent) {
  switch (kind) {
    case ControlKind::Toolbar:
      return NewToolbarWidget(parent);
    case ControlKind::Grid:
      return NewGridWidget(parent);
    case ControlKind::ListBox:
      return NewListBoxWidget(parent);
    case ControlKind::EditBox:
      return NewEditBoxWidget(parent);
    case ControlKind::IPv4Box:
      return NewIPv4BoxWidget(parent);
    case ControlKind::ComboBox:
      return NewComboBoxWidget(parent);
    case ControlKind::CheckBox:
      return NewCheckBoxWidget(parent);
    case ControlKind::Button:
      return NewButtonWidget(parent);
    case ControlKind::Label:
      return NewLabelWidget(parent);
    case ControlKind::Slider:
      return NewSliderWidget(parent);
    case ControlKind::ProgressBar:
      return NewProgressBarWidget(parent);
    case ControlKind::StatusBar:
      return NewStatusBarWidget(parent);
    case ControlKind::PictureBox:
      return NewPictureBoxWidget(parent);
    case ControlKind::Shape:
      return NewShapeWidget(parent);
  }
  return nullptr;
}

}  // namespace gui::qt
