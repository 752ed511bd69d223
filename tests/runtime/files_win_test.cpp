// What the file services do with what a Windows folder can hold besides short ASCII names:
// names the code page lacks, paths over MAX_PATH, devices and pipes, read-only and busy files.

#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/cp936.h"
#include "runtime/directory.h"
#include "runtime/input_file.h"
#include "runtime/output_file.h"
#include "runtime/paths.h"
#include "runtime/wide_win.h"
#include "support/failure_of.h"
#include "support/fakes.h"
#include "support/watchdog.h"

namespace torvane {
namespace {

using namespace torvane::testing;

// A folder inside `folder` made with the wide API, whatever the length of its path.
std::string MakeFolder(const std::string& folder, const std::string& name) {
  std::string path = folder + "\\" + name;
  EXPECT_TRUE(::CreateDirectoryW((L"\\\\?\\" + Wide(path)).c_str(), nullptr)) << path;
  return path;
}

std::string ReadAll(const std::string& path) {
  InputFile file(path, "f");
  std::string bytes(4096, '\0');
  bytes.resize(file.Read(bytes.data(), bytes.size()));
  return bytes;
}

long Entries(const std::string& folder) {
  return static_cast<long>(FileSystemLister().List(folder + "\\*").size());
}

// Every service on a folder whose path is longer than MAX_PATH and whose names hold characters
// that code page 936 lacks: the path stays whole, only the summary's bytes get "?".
TEST(WindowsFiles, LongPathsAndNamesTheCodePageLacks) {
  TempFolder temp;
  std::string folder = temp.str();
  const char* parts[] = {"数据😀한글", "Messungen-Jörg-2024", "光谱"};
  for (int i = 0; Wide(folder).size() <= MAX_PATH + 10; ++i) {
    folder = MakeFolder(folder, parts[i % 3] + std::string(60, 'x'));
  }
  const std::string name = "样品한.txt";
  ReplaceFileContents(folder + "\\" + name, "1\t2\r\n", name);
  ReplaceFileContents(folder + "\\" + name, "3\t4\r\n", name);

  EXPECT_EQ(FileSystemLister().List(folder + "\\*.txt"), std::vector<std::string>{name});
  EXPECT_EQ(ReadAll(folder + "\\" + name), "3\t4\r\n");
  EXPECT_EQ(Entries(folder), 1) << "no temporary file is left behind";
  EXPECT_EQ(Utf8ToCp936(name), "\xD1\xF9\xC6\xB7?.txt");
  EXPECT_EQ(AbsolutePath(folder), folder);
}

TEST(WindowsFiles, DevicesPipesAndFoldersAreRefusedAtOnce) {
  TempFolder folder;
  const std::wstring pipe_name =
      L"\\\\.\\pipe\\torvane-test-" + std::to_wstring(::GetCurrentProcessId());
  HANDLE pipe = ::CreateNamedPipeW(pipe_name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 0, 0,
                                   0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  for (const std::string& path :
       {folder.str() + "\\CON.txt", folder.str() + "\\NUL", Narrow(pipe_name), folder.str()}) {
    WithinWatchdog(std::chrono::seconds(20), "opening a pipe or device", [&] {
      Failure failure = FailureOf([&] { InputFile(path, "1.txt"); });
      EXPECT_EQ(failure.kind(), FailureKind::OpenFailed) << path;
      EXPECT_EQ(failure.file(), "1.txt");
    });
  }
  ::CloseHandle(pipe);
  EXPECT_EQ(FailureOf([&] { InputFile(folder.str() + "\\gone.txt", "gone.txt"); }).kind(),
            FailureKind::FileNotFound);
}

TEST(WindowsFiles, ListingLeavesOutHiddenAndSystemFiles) {
  TempFolder folder;
  for (const char* name : {"a.txt", "hidden.txt", "system.txt"}) folder.Write(name, "");
  ::SetFileAttributesW(Wide(folder.str() + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ::SetFileAttributesW(Wide(folder.str() + "\\system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(FileSystemLister().List(folder.str() + "\\*.txt"), std::vector<std::string>{"a.txt"});
}

// A summary that cannot be replaced, before the temporary file is made (read-only) or at the
// very last step (the file is held open by another program), stays as it was.
TEST(WindowsFiles, ASummaryThatCannotBeReplacedLeavesEverythingAsItWas) {
  TempFolder folder;
  const std::string read_only = folder.Write("read-only.txt", "keep me");
  const std::string busy = folder.Write("busy.txt", "keep me too");
  ::SetFileAttributesW(Wide(read_only).c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE held = ::CreateFileW(Wide(busy).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  EXPECT_EQ(FailureOf([&] { ReplaceFileContents(read_only, "new", "r.txt"); }).kind(),
            FailureKind::WriteFailed);
  EXPECT_EQ(FailureOf([&] { ReplaceFileContents(busy, "new", "b.txt"); }).kind(),
            FailureKind::WriteFailed);
  ::CloseHandle(held);
  ::SetFileAttributesW(Wide(read_only).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(folder.Read("read-only.txt"), "keep me");
  EXPECT_EQ(folder.Read("busy.txt"), "keep me too");
  EXPECT_EQ(folder.Entries(), 2) << "no temporary file is left behind";
}

}  // namespace
}  // namespace torvane
