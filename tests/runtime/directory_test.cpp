#include "runtime/directory.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fakes.h"

namespace torvane {
namespace {

using testing::TempFolder;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(DirectoryEnumeration, ListsOnlyVisibleRegularTxtFilesInAnyCase) {
  TempFolder folder;
  for (const char* name : {"10.txt", "9.txt", "a.txt", "B.TXT", "c.Txt", "notes.md", "x.txt.bak",
                           "数据.txt", "Jörg.txt"}) {
    folder.Write(name, "1\t2\r\n");
  }
  std::filesystem::create_directory(folder.path() / "sub.txt");
  FileSystemLister lister;
  EXPECT_EQ(Sorted(lister.List(folder.str() + kPathSeparator + "*.txt")),
            (std::vector<std::string>{"10.txt", "9.txt", "B.TXT", "Jörg.txt", "a.txt", "c.Txt",
                                      "数据.txt"}));
  EXPECT_EQ(Sorted(lister.List(folder.str() + kPathSeparator + kPathSeparator + "*.txt")).size(),
            7u)
      << "a doubled separator counts as one";
  EXPECT_TRUE(
      lister.List(folder.str() + kPathSeparator + "missing" + kPathSeparator + "*.txt").empty());
}

}  // namespace
}  // namespace torvane
