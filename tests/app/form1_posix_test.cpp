// Bad luck and bad intent between start-up and the run: what the window's run does when a data
// file turns into a named pipe or grows into a terabyte without a line break.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/real_folder_test.h"
#include "support/watchdog.h"

namespace torvane {
namespace {

using namespace torvane::testing;

// The catalogue is built before the data folder changes.
class HostileFilesTest : public RealFolderTest {
 protected:
  HostileFilesTest() {
    data.Write("1.txt", "1\t2\r\n");
    data.Write("2.txt", "1\t2\r\n");
    Load();
  }
  // Runs and returns the box's text; a run that waits on the pipe, or reads the whole file,
  // fails the test.
  std::string Run() {
    std::string shown;
    WithinWatchdog(std::chrono::seconds(20), "the run", [&] { shown = Click(); });
    return shown;
  }
};

TEST_F(HostileFilesTest, ANamedPipeSwappedInEndsTheRunWithABox) {
  std::filesystem::remove(data.path() / "2.txt");
  ASSERT_EQ(::mkfifo((data.path() / "2.txt").c_str(), 0600), 0);
  EXPECT_EQ(Run(), "无法打开文件：不是普通文件（可能是管道、设备或套接字）\n文件：2.txt");
  EXPECT_EQ(messages.shown.back().title, "错误");
  EXPECT_EQ(here.Entries(), 0) << "nothing written, nothing left behind";
}

TEST_F(HostileFilesTest, ATerabyteWithoutALineBreakIsRefusedAtOnce) {
  std::filesystem::resize_file(data.path() / "2.txt", std::uintmax_t{1} << 40);  // sparse
  EXPECT_EQ(Run(), "一行超过 32767 个字符\n文件：2.txt\n行号：2");
  EXPECT_EQ(here.Entries(), 0);
  data.Write("2.txt", "3\t4\r\n");
  EXPECT_TRUE(Run().starts_with("处理完毕\n")) << "the window goes on";
}

}  // namespace
}  // namespace torvane
