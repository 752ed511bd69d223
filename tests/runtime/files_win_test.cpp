// What the file services do with what a Windows folder can hold besides short ASCII names:
// names the code page lacks, paths over MAX_PATH, devices and pipes, read-only and busy files.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <thread>

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

TEST(WindowsFiles, ListingLeavesOutHiddenSystemAndDotFiles) {
  TempFolder folder;
  for (const char* name : {"a.txt", "hidden.txt", "system.txt", ".x.txt"}) folder.Write(name, "");
  ::SetFileAttributesW(Wide(folder.str() + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  ::SetFileAttributesW(Wide(folder.str() + "\\system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(FileSystemLister().List(folder.str() + "\\*.txt"), std::vector<std::string>{"a.txt"});
}

// A read-only summary is refused before a temporary file is made, and stays as it was.
TEST(WindowsFiles, AReadOnlySummaryLeavesEverythingAsItWas) {
  TempFolder folder;
  const std::string read_only = folder.Write("read-only.txt", "keep me");
  ::SetFileAttributesW(Wide(read_only).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(FailureOf([&] { ReplaceFileContents(read_only, "new", "r.txt"); }).kind(),
            FailureKind::WriteFailed);
  ::SetFileAttributesW(Wide(read_only).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(folder.Read("read-only.txt"), "keep me");
  EXPECT_EQ(folder.Entries(), 1) << "no temporary file is left behind";
}

// A summary another program holds open without delete sharing (as Excel and WPS do) is waited
// for about a second, then refused with the old bytes kept; released within the wait, it is
// replaced and keeps its attributes (Wine keeps no creation time, so that goes unchecked).
TEST(WindowsFiles, ASummaryHeldOpenIsWaitedForThenRefusedAndKept) {
  TempFolder folder;
  const std::string path = folder.Write("990-1010.txt", "old\r\n");
  auto hold = [&] {
    return ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         0, nullptr);
  };
  HANDLE held = hold();
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  auto start = std::chrono::steady_clock::now();
  Failure failure = FailureOf([&] { ReplaceFileContents(path, "new\r\n", "990-1010.txt"); });
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
  ::CloseHandle(held);
  EXPECT_EQ(
      DescribeFailure(failure),
      "汇总文件正被其他程序打开（例如 Excel 或 WPS），请关闭它后再按“执行”\n文件：990-1010.txt");
  EXPECT_EQ(folder.Read("990-1010.txt"), "old\r\n");
  EXPECT_EQ(folder.Entries(), 1) << "no temporary file is left behind";

  ::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
  held = hold();
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ::CloseHandle(held);
  });
  ReplaceFileContents(path, "new\r\n", "990-1010.txt");
  release.join();
  EXPECT_EQ(folder.Read("990-1010.txt"), "new\r\n");
  EXPECT_TRUE(::GetFileAttributesW(Wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace
}  // namespace torvane
