#include <windows.h>

#include <algorithm>

#include "runtime/output_file_platform.h"
#include "runtime/wide_win.h"

namespace torvane::output_platform {
namespace {

HANDLE Native(Handle handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// The file an open handle reaches; empty when the system cannot say.
std::string FinalPath(HANDLE handle) {
  std::wstring target(MAX_PATH, L'\0');
  for (;;) {
    DWORD n =
        ::GetFinalPathNameByHandleW(handle, target.data(), static_cast<DWORD>(target.size()), 0);
    if (n == 0) return {};
    if (n < target.size()) {
      target.resize(n);
      return Narrow(target);
    }
    target.resize(n + 1);
  }
}

std::wstring Absolute(const std::wstring& path) {
  std::wstring full = FullPath(path);
  return full.empty() ? path : full;
}

// The attributes an existing file keeps.
constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

long ErrorUnless(BOOL succeeded) {
  return succeeded ? 0 : static_cast<long>(::GetLastError());
}

}  // namespace

long Inspect(const std::string& path, Destination& destination) {
  destination.path = path;
  HANDLE handle = ::CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return 0;  // Missing
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(handle) != FILE_TYPE_DISK) {
    destination.kind = Destination::Kind::Other;
  } else if (!::GetFileInformationByHandle(handle, &info)) {
    destination.kind = Destination::Kind::File;
  } else {
    bool folder = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    destination.kind = folder ? Destination::Kind::Folder : Destination::Kind::File;
    destination.read_only = info.dwFileAttributes & FILE_ATTRIBUTE_READONLY;
    destination.mode = info.dwFileAttributes & kKept;
    DWORD link = ::GetFileAttributesW(WidePath(path).c_str());
    if (link != INVALID_FILE_ATTRIBUTES && (link & FILE_ATTRIBUTE_REPARSE_POINT)) {
      std::string final_path = FinalPath(handle);
      if (!final_path.empty()) destination.path = final_path;
    }
  }
  ::CloseHandle(handle);
  return 0;
}

long CreateExclusive(const std::string& path, Handle& handle) {
  HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return static_cast<long>(::GetLastError());
  handle = reinterpret_cast<Handle>(file);
  return 0;
}

bool AlreadyExists(long error) {
  return error == ERROR_FILE_EXISTS;
}

long TakeOver(Handle handle, const Destination& destination) {
  // ReplaceFileW carries the attributes over too, but Wine's does not.
  if (!destination.mode) return 0;
  FILE_BASIC_INFO info{};  // zero times are left as they are
  info.FileAttributes = destination.mode;
  return ErrorUnless(
      ::SetFileInformationByHandle(Native(handle), FileBasicInfo, &info, sizeof info));
}

long Write(Handle handle, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, DWORD{1} << 30));
    DWORD written = 0;
    if (!::WriteFile(Native(handle), data, chunk, &written, nullptr)) {
      return static_cast<long>(::GetLastError());
    }
    data += written;
    left -= written;
  }
  return 0;
}

long Flush(Handle handle) {
  return ErrorUnless(::FlushFileBuffers(Native(handle)));
}

long Close(Handle handle) {
  return ErrorUnless(::CloseHandle(Native(handle)));
}

long Replace(const std::string& temporary, const Destination& destination) {
  const std::wstring from = WidePath(temporary), to = WidePath(destination.path);
  if (destination.kind == Destination::Kind::File) {
    // A file another program holds without delete sharing cannot be replaced; found out before
    // ReplaceFileW tries, which under Wine leaves a copy of the old file behind when it fails.
    HANDLE old =
        ::CreateFileW(to.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    long probe = old == INVALID_HANDLE_VALUE ? static_cast<long>(::GetLastError()) : 0;
    if (old != INVALID_HANDLE_VALUE) ::CloseHandle(old);
    if (HeldOpen(probe)) return probe;
    // ReplaceFileW takes absolute paths only (Wine's refuses a bare name as invalid).
    if (::ReplaceFileW(Absolute(to).c_str(), Absolute(from).c_str(), nullptr,
                       REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                       nullptr)) {
      return 0;
    }
    // The old file gone since (not found), or gone with the new one still under its temporary
    // name (cannot move the replacement): the new file takes the free name.
    DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
      return static_cast<long>(error);
    }
  }
  return ErrorUnless(
      ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

bool HeldOpen(long error) {
  // ReplaceFileW reports a replaced file it may not delete while another program holds it as
  // "unable to remove replaced".
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

void Remove(const std::string& path) {
  ::DeleteFileW(WidePath(path).c_str());
}

void SyncFolder(const std::string&) {
  // Windows has no folder flush; the system commits the rename's metadata itself.
}

}  // namespace torvane::output_platform
