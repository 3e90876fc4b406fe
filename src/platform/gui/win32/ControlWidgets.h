#pragma once
// The window object of each kind of control, made for a window's control table.

#include <windows.h>

#include <memory>

#include "platform/gui/Gui.h"
#include "platform/gui/win32/Cores.h"

namespace gui::win32 {

// Every control gets a child window of parent at place (screen pixels) with
// the given id; null when the kind is unknown or the window cannot be made.
std::unique_ptr<ControlWindow> CreateControlWindow(ControlKind kind, HWND parent, const RECT& place,
                                                   int id);

// Each kind's maker; the window is made by its constructor.
std::unique_ptr<ControlWindow> NewToolbarWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewGridWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewListBoxWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewEditBoxWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewIPv4BoxWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewComboBoxWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewCheckBoxWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewButtonWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewLabelWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewSliderWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewProgressBarWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewStatusBarWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewPictureBoxWindow(HWND parent, const RECT& place, int id);
std::unique_ptr<ControlWindow> NewShapeWindow(HWND parent, const RECT& place, int id);

// A child window of the given class with our font, attached to control.
HWND MakeChild(ControlWindow* control, const char* className, DWORD style, DWORD exStyle,
               HWND parent, const RECT& place, int id, const char* text = "");

}  // namespace gui::win32
