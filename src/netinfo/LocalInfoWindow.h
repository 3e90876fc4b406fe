#pragma once
// "本机网络信息": the local host name and the settings of one network
// adapter at a time, the adapter being chosen in a combo box.

#include <memory>

#include "netinfo/LocalInfoSource.h"
#include "netinfo/SerialLoads.h"
#include "platform/gui/Gui.h"

// Builds the window and attaches its handlers (GUI thread). Its created
// event, at the first Show or ShowModal, starts loading the adapter list.
// The window's loads run one after another in `loads` (a copy shares the
// queue, so a caller can see when they are done).
gui::Window LoadLocalInfoWindow(std::shared_ptr<LocalInfoSource> source,
                                SerialLoads loads = SerialLoads());

// Opens the window with this machine's adapters, modal over owner; returns
// when it has been closed.
void ShowLocalInfoWindow(const gui::Window* owner);
