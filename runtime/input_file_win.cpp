#include <windows.h>

#include <algorithm>

#include "runtime/failure.h"
#include "runtime/input_file.h"
#include "runtime/wide_win.h"

namespace torvane {
namespace {

HANDLE Handle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

InputFile::InputFile(const std::string& path, std::string display_name)
    : display_name_(std::move(display_name)) {
  const std::wstring wide = WidePath(path);
  HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      throw Failure(FailureKind::FileNotFound, "找不到文件", display_name_);
    }
    // A folder cannot be opened as a file at all; say so rather than "no access".
    DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      throw Failure(FailureKind::OpenFailed, "无法打开文件：这是一个文件夹", display_name_);
    }
    throw Failure(FailureKind::OpenFailed, "无法打开文件：" + SystemErrorText(error),
                  display_name_);
  }
  // Consoles (CON), NUL, pipes and other devices open at once but are not data files.
  LARGE_INTEGER size{};
  if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileSizeEx(file, &size)) {
    ::CloseHandle(file);
    throw Failure(FailureKind::OpenFailed, "无法打开文件：不是普通文件（可能是管道、设备或控制台）",
                  display_name_);
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
}

InputFile::~InputFile() {
  ::CloseHandle(Handle(handle_));
}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, DWORD{1} << 30));
  DWORD got = 0;
  if (!::ReadFile(Handle(handle_), buffer, want, &got, nullptr)) {
    throw Failure(FailureKind::ReadFailed, "无法读取文件：" + SystemErrorText(::GetLastError()),
                  display_name_);
  }
  return got;
}

}  // namespace torvane
