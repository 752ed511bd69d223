#include "runtime/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/failure_of.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;

TEST(ReplaceFileContents, AFailedRenameLeavesNoTemporary) {
  // The temporary file is written in full; only the last step, the rename, fails.
  TempFolder folder;
  folder.Write("out.txt", "keep me");
  std::string too_long = folder.str() + "/" + std::string(300, 'n') + ".txt";
  EXPECT_EQ(FailureOf([&] { ReplaceFileContents(too_long, "new", "n.txt"); }).kind(),
            FailureKind::OpenFailed);
  EXPECT_EQ(folder.Read("out.txt"), "keep me");
  EXPECT_EQ(folder.Entries(), 1);
}

TEST(ReplaceFileContents, RefusesMissingFoldersAndFolderNames) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "taken.txt");
  for (const std::string& path : {folder.str() + "/no/such/x.txt", folder.str() + "/taken.txt"}) {
    EXPECT_EQ(FailureOf([&] { ReplaceFileContents(path, "x", "x.txt"); }).kind(),
              FailureKind::OpenFailed)
        << path;
  }
  EXPECT_EQ(folder.Entries(), 1);
}

TEST(ReplaceFileContents, KeepsTheExistingFilesPermissions) {
  TempFolder folder;
  std::string path = folder.Write("out.txt", "old");
  ::chmod(path.c_str(), 0640);
  ReplaceFileContents(path, "new", "out.txt");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace torvane
