// What the file services do with the things a POSIX folder can hold besides plain files: links,
// named pipes, devices, permissions.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "runtime/directory.h"
#include "runtime/input_file.h"
#include "runtime/output_file.h"
#include "support/failure_of.h"
#include "support/fakes.h"
#include "support/watchdog.h"

namespace torvane {
namespace {

using namespace torvane::testing;

TEST(PosixFiles, HiddenFilesAndLinksToFoldersAreNotListed) {
  TempFolder folder;
  folder.Write("a.txt", "");
  folder.Write(".hidden.txt", "");
  std::filesystem::create_directory(folder.path() / "sub");
  ASSERT_EQ(::symlink("a.txt", (folder.path() / "link.txt").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", (folder.path() / "dangling.txt").c_str()), 0);
  ASSERT_EQ(::symlink("sub", (folder.path() / "dirlink.txt").c_str()), 0);
  std::vector<std::string> names = FileSystemLister().List(folder.str() + "/*.txt");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "link.txt"}));
}

TEST(PosixFiles, ANamedPipeOrDeviceIsRefusedAtOnce) {
  TempFolder folder;
  const std::string fifo = folder.str() + "/1.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero"), folder.str()}) {
    WithinWatchdog(std::chrono::seconds(20), "opening a pipe or device", [&] {
      Failure failure = FailureOf([&] { InputFile(path, "1.txt"); });
      EXPECT_EQ(failure.kind(), FailureKind::OpenFailed) << path;
      EXPECT_EQ(failure.file(), "1.txt");
    });
  }
  EXPECT_EQ(FailureOf([&] { InputFile(folder.str() + "/gone.txt", "gone.txt"); }).kind(),
            FailureKind::FileNotFound);
}

TEST(PosixFiles, ASymbolicLinkToTheSummaryIsKeptAndItsTargetReplaced) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "real");
  folder.Write("real/summary.txt", "old");
  ASSERT_EQ(::symlink("real/summary.txt", (folder.path() / "link.txt").c_str()), 0);
  ReplaceFileContents(folder.str() + "/link.txt", "new", "link.txt");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "link.txt"));
  EXPECT_EQ(folder.Read("real/summary.txt"), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "real"), {}), 1);
}

TEST(PosixFiles, NewSummariesFollowTheUmaskAndOldOnesKeepTheirMode) {
  TempFolder folder;
  mode_t mask = ::umask(027);
  ReplaceFileContents(folder.str() + "/new.txt", "x", "new.txt");
  ::umask(mask);
  struct stat info {};
  ASSERT_EQ(::stat((folder.str() + "/new.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  std::string path = folder.Write("old.txt", "old");
  ::chmod(path.c_str(), 0604);
  ReplaceFileContents(path, "new", "old.txt");
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0604u);
}

TEST(PosixFiles, ASummaryThatCannotBeReplacedLeavesEverythingAsItWas) {
  TempFolder folder;
  folder.Write("out.txt", "keep me");
  // Only the last step, the rename, fails: the name is too long for the file system.
  std::string too_long = folder.str() + "/" + std::string(300, 'n') + ".txt";
  EXPECT_EQ(FailureOf([&] { ReplaceFileContents(too_long, "new", "n.txt"); }).kind(),
            FailureKind::WriteFailed);
  // A named pipe in the summary's place is not replaced.
  ASSERT_EQ(::mkfifo((folder.str() + "/pipe.txt").c_str(), 0600), 0);
  EXPECT_EQ(
      FailureOf([&] { ReplaceFileContents(folder.str() + "/pipe.txt", "x", "pipe.txt"); }).kind(),
      FailureKind::OpenFailed);
  EXPECT_EQ(folder.Read("out.txt"), "keep me");
  EXPECT_EQ(folder.Entries(), 2) << "no temporary file is left behind";
}

}  // namespace
}  // namespace torvane
