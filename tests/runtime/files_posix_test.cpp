// What the file services do with the things a POSIX folder can hold besides plain files: links,
// named pipes, devices, permissions.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>

#include "runtime/directory.h"
#include "runtime/input_file.h"
#include "runtime/output_file.h"
#include "support/failure_of.h"
#include "support/fakes.h"
#include "support/watchdog.h"

namespace torvane {
namespace {

using namespace torvane::testing;

// Whether `check` holds when run in a child process, so that what it changes stays with the
// child; `as_user`: as an ordinary user where the test runs as root, who bypasses permissions.
bool HoldsInChild(const std::function<bool()>& check, bool as_user = false) {
  pid_t child = ::fork();
  if (child == 0) {
    if (as_user && ::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(2);
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

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

TEST(PosixFiles, AFolderWithoutReadPermissionIsAnErrorNotAnEmptyFolder) {
  TempFolder folder;
  const std::string locked = folder.str() + "/locked";
  std::filesystem::create_directory(locked);
  folder.Write("locked/1.txt", "1\t2\r\n");
  ASSERT_EQ(::chmod(locked.c_str(), 0333), 0);  // names cannot be read, files still can
  EXPECT_TRUE(HoldsInChild(
      [&] {
        Failure failure = FailureOf([&] { FileSystemLister().List(locked + "/*.txt"); });
        return failure.kind() == FailureKind::ListFailed &&
               DescribeFailure(failure) == "无法读取文件夹：没有访问权限\n文件夹：" + locked;
      },
      true));
  ::chmod(locked.c_str(), 0755);
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
  // Writing fails part way: the file size limit stops the temporary file at 4 bytes.
  EXPECT_TRUE(HoldsInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4, 4};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
           FailureOf([&] {
             ReplaceFileContents(folder.str() + "/out.txt", "too long", "o");
           }).kind() == FailureKind::WriteFailed;
  }));
  EXPECT_EQ(folder.Read("out.txt"), "keep me");
  EXPECT_EQ(folder.Entries(), 2) << "no temporary file is left behind";
}

}  // namespace
}  // namespace torvane
