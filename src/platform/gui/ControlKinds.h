#pragma once
// Which kind of control each handle type of Gui.h stands for: Window::Get
// finds a control by name only among controls of the asked kind.

#include <type_traits>

#include "platform/gui/Gui.h"

namespace gui {

template <class T>
constexpr bool IsOfKind(ControlKind kind) {
  if constexpr (std::is_same_v<T, Toolbar>)
    return kind == ControlKind::Toolbar;
  else if constexpr (std::is_same_v<T, Grid>)
    return kind == ControlKind::Grid;
  else if constexpr (std::is_same_v<T, ListBox>)
    return kind == ControlKind::ListBox;
  else if constexpr (std::is_same_v<T, EditBox>)
    return kind == ControlKind::EditBox;
  else if constexpr (std::is_same_v<T, IPv4Box>)
    return kind == ControlKind::IPv4Box;
  else if constexpr (std::is_same_v<T, ComboBox>)
    return kind == ControlKind::ComboBox;
  else if constexpr (std::is_same_v<T, CheckBox>)
    return kind == ControlKind::CheckBox;
  else if constexpr (std::is_same_v<T, Button>)
    return kind == ControlKind::Button;
  else if constexpr (std::is_same_v<T, Label>)
    return kind == ControlKind::Label;
  else if constexpr (std::is_same_v<T, Slider>)
    return kind == ControlKind::Slider;
  else if constexpr (std::is_same_v<T, ProgressBar>)
    return kind == ControlKind::ProgressBar;
  else if constexpr (std::is_same_v<T, StatusBar>)
    return kind == ControlKind::StatusBar;
  else if constexpr (std::is_same_v<T, PictureBox>)
    return kind == ControlKind::PictureBox;
  else if constexpr (std::is_same_v<T, Shape>)
    return kind == ControlKind::Shape;
  else
    return true;  // Control: any kind
}

}  // namespace gui
