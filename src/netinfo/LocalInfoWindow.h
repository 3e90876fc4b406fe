#pragma once
// "本机网络信息": the local host name and the settings of one network
// adapter at a time, the adapter being chosen in a combo box.

#include <memory>

#include "netinfo/LocalInfoSource.h"
#include "platform/gui/Gui.h"

// Builds the window and attaches its handlers (GUI thread). Its created
// event, at the first Show or ShowModal, starts loading the adapter list.
gui::Window LoadLocalInfoWindow(std::shared_ptr<LocalInfoSource> source);

// Opens the window with this machine's adapters, modal over owner; returns
// when it has been closed.
void ShowLocalInfoWindow(const gui::Window* owner);
