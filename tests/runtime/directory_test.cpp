#include "runtime/directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "support/failure_of.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(DirectoryEnumeration, ListsOnlyVisibleRegularTxtFilesInAnyCase) {
  TempFolder folder;
  for (const char* name : {"10.txt", "9.txt", "a.txt", "B.TXT", "c.Txt", "notes.md", "x.txt.bak",
                           "数据.txt", "Jörg.txt", ".x.txt", "._a.txt"}) {
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
      lister.List(folder.str() + kPathSeparator + "sub.txt" + kPathSeparator + "*.txt").empty())
      << "a folder without a matching name is empty, not unreadable";

  const std::string missing = folder.str() + kPathSeparator + "missing";
  Failure failure = FailureOf([&] { lister.List(missing + kPathSeparator + "*.txt"); });
  EXPECT_EQ(failure.kind(), FailureKind::ListFailed);
  EXPECT_EQ(DescribeFailure(failure), "无法读取文件夹：文件或文件夹不存在\n文件夹：" + missing);
}

// Hands out `entries` (a name, and whether it is a file), then the end or `error`.
struct ScriptedReader : FolderReader {
  long open_error = 0, error = 0;
  std::vector<std::pair<std::string, bool>> entries;
  std::size_t next = 0;

  long Open(const std::string&, const std::string&) override { return open_error; }
  long Next(std::string& name, bool& end) override {
    end = next == entries.size();
    if (end) return error;
    name = entries[next++].first;
    return 0;
  }
  bool IsFile() override { return entries[next - 1].second; }
};

TEST(FolderListing, OneRuleOnEveryPlatform) {
  ScriptedReader reader;
  reader.entries = {{"b.TXT", true}, {".x.txt", true}, {"._b.txt", true},  {"sub.txt", false},
                    {"a.md", true},  {"a.txt", true},  {"data.txt1", true}};
  EXPECT_EQ(ListFolder(reader, "/d/*.txt"), (std::vector<std::string>{"b.TXT", "a.txt"}));
}

// A folder that cannot be read, at the start or part way, fails whole: never a shorter list.
TEST(FolderListing, AnErrorAtTheStartOrPartWayFailsTheListing) {
  const std::string sep(1, kPathSeparator);
  const std::string folder = sep + "data" + sep + "光谱";
  for (bool part_way : {false, true}) {
    ScriptedReader reader;
    reader.entries = {{"1.txt", true}, {"2.txt", true}};
    (part_way ? reader.error : reader.open_error) = 5;
    Failure failure = FailureOf([&] { ListFolder(reader, folder + sep + "*.txt"); });
    EXPECT_EQ(failure.kind(), FailureKind::ListFailed) << part_way;
    EXPECT_EQ(failure.message(), "无法读取文件夹：" + SystemErrorText(5)) << part_way;
    EXPECT_EQ(failure.file(), folder) << part_way;
  }
  ScriptedReader root;
  root.open_error = 5;
  EXPECT_EQ(FailureOf([&] { ListFolder(root, sep + "*.txt"); }).file(), sep);
}

}  // namespace
}  // namespace torvane
