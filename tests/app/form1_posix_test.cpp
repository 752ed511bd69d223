// Bad luck and bad intent between start-up and the run: what the window's run does when a data
// file turns into a named pipe or grows into a gigabyte without a line break.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "app/form1.h"
#include "support/current_directory.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;

class HostileFilesTest : public ::testing::Test {
 protected:
  HostileFilesTest() {
    location.folder = data.str();
    controls.texts = {{TextBox::Text2, "0"},
                      {TextBox::Text3, "0"},
                      {TextBox::Text4, "5"},
                      {TextBox::Text5, "out"}};
    data.Write("1.txt", "1\t2\r\n");
    data.Write("2.txt", "1\t2\r\n");
    form.Raise(Form1Event::Load);
  }
  // Runs and returns the box's text, having checked the run took under a second.
  std::string Run() {
    CurrentDirectory cwd(here.path());
    auto start = std::chrono::steady_clock::now();
    form.Raise(Form1Event::Command2Click);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    return messages.shown.empty() ? std::string() : messages.shown.back().prompt;
  }

  TempFolder data, here;
  FakeControls controls;
  FakeMessageBox messages;
  FakeFolderBrowser browser;
  FakeLocation location;
  FileSystemLister lister;
  Form1 form{{controls, messages, browser, location, lister}};
};

TEST_F(HostileFilesTest, ANamedPipeSwappedInEndsTheRunWithABox) {
  std::filesystem::remove(data.path() / "2.txt");
  ASSERT_EQ(::mkfifo((data.path() / "2.txt").c_str(), 0600), 0);
  EXPECT_EQ(Run(), "无法打开文件：不是普通文件（可能是管道、设备或套接字）\n文件：2.txt");
  EXPECT_EQ(messages.shown.back().title, "错误");
  EXPECT_EQ(here.Entries(), 0) << "nothing written, nothing left behind";
}

TEST_F(HostileFilesTest, AGigabyteWithoutALineBreakIsRefusedAtOnce) {
  std::filesystem::resize_file(data.path() / "2.txt", std::uintmax_t{1} << 30);  // sparse
  EXPECT_EQ(Run(), "一行超过 32767 个字符\n文件：2.txt\n行号：2");
  EXPECT_EQ(here.Entries(), 0);
  data.Write("2.txt", "3\t4\r\n");
  EXPECT_TRUE(Run().starts_with("处理完毕\n")) << "the window goes on";
}

}  // namespace
}  // namespace torvane
