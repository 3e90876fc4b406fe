#pragma once
// A fresh main window for each test, with a program directory of its own so
// that config.ini never lands beside the shared test programs.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/MainWindow.h"
#include "config/IniFile.h"
#include "platform/os/Files.h"
#include "process/AppState.h"
#include "process/TimeHelper.h"
#include "support/TemporaryDirectory.h"
#include "update/UpdateCheck.h"

class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    programDir_ = temp_.path().string();
    ASSERT_FALSE(programDir_.empty());
    os::SetProgramDirectoryForTesting(programDir_);
    // A check thread outliving its test would log into the next test's window.
    SetUpdateCheckAtStartForTesting(false);
    // One object each for the whole run, unbound again for every test: a
    // thread of an earlier test may still reach them, and none is lost.
    if (!configFile) configFile = new IniFile();
    configFile->Release();
    if (!timeHelper) timeHelper = new TimeHelper();
    testRunning = 0;
    pingDelayMs = 0;
  }

  void TearDown() override {
    if (mainWindow.IsOpen()) mainWindow.Close();
    gui::ProcessPendingEvents();
    os::SetProgramDirectoryForTesting("");
  }

  // Writes config.ini (GBK bytes as given) before the window is loaded.
  void WriteConfig(const std::string& contents) {
    std::ofstream(ConfigPath(), std::ios::binary) << contents;
  }

  std::string ReadConfig() const {
    std::ifstream in(ConfigPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string ConfigPath() const { return programDir_ + "/config.ini"; }

  void OpenMainWindow() { LoadMainWindow(); }

  gui::Grid HostGrid() const { return mainWindow.Get<gui::Grid>("高级表格1"); }
  gui::Toolbar Toolbar() const { return mainWindow.Get<gui::Toolbar>("工具条"); }
  gui::ListBox Log() const { return mainWindow.Get<gui::ListBox>("列表框1"); }

  // The log's lines without their time stamps, newest first.
  std::vector<Text> LogMessages() const {
    std::vector<Text> messages;
    gui::ListBox log = Log();
    for (int i = 0; i < log.ItemCount(); ++i) messages.push_back(log.ItemText(i).substr(13));
    return messages;
  }

  TemporaryDirectory temp_;
  std::string programDir_;
};
