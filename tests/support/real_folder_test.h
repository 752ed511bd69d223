#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/form1.h"
#include "support/current_directory.h"
#include "support/fakes.h"

namespace torvane::testing {

/// The window on a real data folder: the range 0 ~ 5, no heading, the summary "out" written
/// into a folder of its own.
struct RealFolderWindow {
  RealFolderWindow() {
    location.folder = data.str();
    controls.texts = {{TextBox::Text2, "0"},
                      {TextBox::Text3, "0"},
                      {TextBox::Text4, "5"},
                      {TextBox::Text5, "out"}};
  }
  void Load() { form.Raise(Form1Event::Load); }
  /// Presses "执行" and returns the text of the box it showed.
  std::string Click() {
    CurrentDirectory cwd(here.path());
    form.Raise(Form1Event::Command2Click);
    return messages.shown.empty() ? std::string() : messages.shown.back().prompt;
  }
  std::string Run() {
    Load();
    return Click();
  }
  std::string SummaryPath() const { return here.str() + kPathSeparator + "out.txt"; }

  TempFolder data, here;
  FakeControls controls;
  FakeMessageBox messages;
  FakeFolderBrowser browser;
  FakeLocation location;
  FileSystemLister lister;
  FakeResultWindows results;
  Form1 form{{controls, messages, browser, location, lister, results}};
};

class RealFolderTest : public ::testing::Test, protected RealFolderWindow {
 protected:
  using RealFolderWindow::Run;  // not the one of ::testing::Test
};

}  // namespace torvane::testing
