// Bad intent between start-up and the run: what the window's run does when a data file grows
// into a terabyte without a line break.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/real_folder_test.h"
#include "support/watchdog.h"

namespace torvane {
namespace {

using namespace torvane::testing;

using HostileFilesTest = RealFolderTest;

TEST_F(HostileFilesTest, ATerabyteWithoutALineBreakIsRefusedAtOnce) {
  data.Write("1.txt", "1\t2\r\n");
  data.Write("2.txt", "1\t2\r\n");
  Load();  // the catalogue is built before the file grows
  // Runs and returns the box's text; a run that reads the whole file fails the test.
  auto run = [&] {
    std::string shown;
    WithinWatchdog(std::chrono::seconds(20), "the run", [&] { shown = Click(); });
    return shown;
  };
  std::filesystem::resize_file(data.path() / "2.txt", std::uintmax_t{1} << 40);  // sparse
  EXPECT_EQ(run(), "一行超过 32767 个字符\n文件：2.txt\n行号：2");
  EXPECT_EQ(here.Entries(), 0);
  data.Write("2.txt", "3\t4\r\n");
  EXPECT_TRUE(run().starts_with("处理完毕\n")) << "the window goes on";
}

}  // namespace
}  // namespace torvane
