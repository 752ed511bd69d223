#include <windows.h>

#include <algorithm>
#include <random>

#include "runtime/failure.h"
#include "runtime/output_file.h"
#include "runtime/wide_win.h"

namespace torvane {
namespace {

// The folder part of `path`, with its trailing separator; empty for a bare name.
std::string FolderOf(const std::string& path) {
  std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// What stands at a path before it is replaced.
struct Existing {
  bool exists = false;
  bool disk_file = false;
  DWORD attributes = 0;
  std::string final_path;  // the file a link leads to; empty when `path` is no link
};

Existing Inspect(const std::string& path) {
  Existing existing;
  HANDLE handle = ::CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return existing;
  existing.exists = true;
  existing.disk_file = ::GetFileType(handle) == FILE_TYPE_DISK;
  BY_HANDLE_FILE_INFORMATION info{};
  if (existing.disk_file && ::GetFileInformationByHandle(handle, &info)) {
    existing.attributes = info.dwFileAttributes;
    DWORD link = ::GetFileAttributesW(WidePath(path).c_str());
    if (link != INVALID_FILE_ATTRIBUTES && (link & FILE_ATTRIBUTE_REPARSE_POINT)) {
      std::wstring target(MAX_PATH, L'\0');
      for (;;) {
        DWORD n = ::GetFinalPathNameByHandleW(handle, target.data(),
                                              static_cast<DWORD>(target.size()), 0);
        if (n == 0) break;
        if (n < target.size()) {
          target.resize(n);
          existing.final_path = Narrow(target);
          break;
        }
        target.resize(n + 1);
      }
    }
  }
  ::CloseHandle(handle);
  return existing;
}

// Creates a temporary file in `folder` that did not exist before. Returns its handle and sets
// `name`; INVALID_HANDLE_VALUE with the system's error set when none can be made.
HANDLE CreateTemporary(const std::string& folder, std::string& name) {
  static std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + ".torvane-" + std::to_string(random() % 1'000'000'000'000ULL) + ".tmp";
    HANDLE handle = ::CreateFileW(WidePath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return handle;
  }
  ::SetLastError(ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

void ReplaceFileContents(const std::string& path, std::string_view bytes,
                         const std::string& display_name) {
  Existing existing = Inspect(path);
  const std::string target = existing.final_path.empty() ? path : existing.final_path;
  if (existing.exists && existing.disk_file && (existing.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    throw Failure(FailureKind::OpenFailed, "无法写入文件：同名的文件夹已经存在", display_name);
  }
  if (existing.exists && !existing.disk_file) {
    throw Failure(FailureKind::OpenFailed, "无法写入文件：同名的项目不是普通文件", display_name);
  }
  if (existing.attributes & FILE_ATTRIBUTE_READONLY) {
    throw Failure(FailureKind::WriteFailed, "无法写入文件：文件是只读的", display_name);
  }

  std::string temp;
  HANDLE file = CreateTemporary(FolderOf(target), temp);
  if (file == INVALID_HANDLE_VALUE) {
    throw Failure(FailureKind::OpenFailed, "无法写入文件：" + SystemErrorText(::GetLastError()),
                  display_name);
  }
  auto abandon = [&](DWORD error) {
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    ::DeleteFileW(WidePath(temp).c_str());
    return Failure(FailureKind::WriteFailed, "无法写入文件：" + SystemErrorText(error),
                   display_name);
  };

  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, DWORD{1} << 30));
    DWORD written = 0;
    if (!::WriteFile(file, data, chunk, &written, nullptr)) throw abandon(::GetLastError());
    data += written;
    left -= written;
  }
  if (!::FlushFileBuffers(file)) throw abandon(::GetLastError());
  BOOL closed = ::CloseHandle(file);
  file = INVALID_HANDLE_VALUE;
  if (!closed) throw abandon(::GetLastError());
  // An existing file keeps its hidden, system and archive marks.
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  if (existing.attributes & kKept) {
    ::SetFileAttributesW(WidePath(temp).c_str(), existing.attributes & kKept);
  }
  if (!::MoveFileExW(WidePath(temp).c_str(), WidePath(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw abandon(::GetLastError());
  }
}

}  // namespace torvane
