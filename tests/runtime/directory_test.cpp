#include "runtime/directory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "support/fakes.h"

namespace torvane {
namespace {

using testing::TempFolder;

TEST(DirectoryEnumeration, ListsOnlyVisibleRegularTxtFiles) {
  TempFolder folder;
  for (const char* name : {"10.txt", "9.txt", "a.txt", "B.TXT", "c.Txt", ".hidden.txt", "notes.md",
                           "x.txt.bak", "数据.txt"}) {
    folder.Write(name, "1\t2\r\n");
  }
  std::filesystem::create_directory(folder.path() / "sub.txt");
  ASSERT_EQ(::symlink("a.txt", (folder.path() / "link.txt").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", (folder.path() / "dangling.txt").c_str()), 0);
  ASSERT_EQ(::symlink("sub.txt", (folder.path() / "dirlink.txt").c_str()), 0);

  FileSystemLister lister;
  std::vector<std::string> names = lister.List(folder.str() + "/*.txt");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"10.txt", "9.txt", "B.TXT", "a.txt", "c.Txt",
                                             "link.txt", "数据.txt"}));
}

TEST(DirectoryEnumeration, DoubledSeparatorMissingFolderAndRoot) {
  TempFolder folder;
  folder.Write("1.txt", "");
  FileSystemLister lister;
  EXPECT_EQ(lister.List(folder.str() + "//*.txt"), (std::vector<std::string>{"1.txt"}));
  EXPECT_TRUE(lister.List(folder.str() + "/missing/*.txt").empty());
  // An empty folder part means the root folder: the listing must not fail.
  for (const std::string& name : lister.List("/*.txt")) {
    EXPECT_TRUE(std::filesystem::is_regular_file("/" + name));
  }
}

}  // namespace
}  // namespace torvane
