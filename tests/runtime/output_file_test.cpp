#include "runtime/output_file.h"

#include <gtest/gtest.h>

#include "support/failure_of.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;

TEST(ReplaceFileContents, ReplacesInFullAndRefusesMissingFoldersAndFolderNames) {
  TempFolder folder;
  const std::string sep(1, kPathSeparator);
  folder.Write("out.txt", std::string(100, 'z'));
  ReplaceFileContents(folder.str() + sep + "out.txt", "new\r\n", "out.txt");
  EXPECT_EQ(folder.Read("out.txt"), "new\r\n");

  std::filesystem::create_directory(folder.path() / "taken.txt");
  for (const std::string& path :
       {folder.str() + sep + "no" + sep + "x.txt", folder.str() + sep + "taken.txt"}) {
    Failure failure = FailureOf([&] { ReplaceFileContents(path, "x", "x.txt"); });
    EXPECT_EQ(failure.kind(), FailureKind::OpenFailed) << path;
    EXPECT_EQ(failure.file(), "x.txt");
  }
  EXPECT_EQ(folder.Entries(), 2) << "no temporary file is left behind";
}

}  // namespace
}  // namespace torvane
