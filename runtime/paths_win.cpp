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

}  // namespace torvane
