#pragma once
// Runs a toolbar command that opens a modal window, and acts on that window
// from a worker thread while the command's modal loop serves it.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "platform/gui/Gui.h"
#include "process/AppState.h"

// `window` is the global handle the command fills in; `act` gets a copy once
// it is open and must close it. Returns whether the window was seen open.
inline bool RunModalCommand(int position, const gui::Window& window,
                            const std::function<void(gui::Window)>& act) {
  bool seen = false;
  std::thread worker([&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      gui::Window open;
      gui::RunOnGuiThread([&] { open = window; });  // the handle belongs to the GUI thread
      if (open.IsOpen()) {
        seen = true;
        act(open);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  mainWindow.Get<gui::Toolbar>("工具条").UserClick(position);
  worker.join();
  return seen;
}
