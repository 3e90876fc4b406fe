#pragma once
// The widget of each kind of control, made for a window's control table.

#include <QWidget>

#include "platform/gui/Gui.h"

namespace gui::qt {

// Every widget returned also is a ControlWidget (Cores.h).
QWidget* CreateControlWidget(ControlKind kind, QWidget* parent);

QWidget* NewToolbarWidget(QWidget* parent);
QWidget* NewGridWidget(QWidget* parent);
QWidget* NewListBoxWidget(QWidget* parent);
QWidget* NewEditBoxWidget(QWidget* parent);
QWidget* NewIPv4BoxWidget(QWidget* parent);
QWidget* NewComboBoxWidget(QWidget* parent);
QWidget* NewCheckBoxWidget(QWidget* parent);
QWidget* NewButtonWidget(QWidget* parent);
QWidget* NewLabelWidget(QWidget* parent);
QWidget* NewSliderWidget(QWidget* parent);
QWidget* NewProgressBarWidget(QWidget* parent);
QWidget* NewStatusBarWidget(QWidget* parent);
QWidget* NewPictureBoxWidget(QWidget* parent);
QWidget* NewShapeWidget(QWidget* parent);

}  // namespace gui::qt
