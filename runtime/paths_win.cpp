#include <windows.h>

#include "runtime/paths.h"
#include "runtime/wide_win.h"

namespace torvane {
namespace {

// "X:\..." or "X:/...", or a share or device path beginning with two separators.
bool IsAbsolute(const std::string& path) {
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() >= 2 && separator(path[0]) && separator(path[1])) return true;
  return path.size() >= 3 && path[1] == ':' && separator(path[2]);
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
  if (IsAbsolute(path)) return path;
  std::wstring full = FullPath(Wide(path));
  return full.empty() ? path : Narrow(full);
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  // No access asked for, so a file held open by another program is reached all the same.
  HANDLE file =
      CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  if (!known) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

}  // namespace torvane
