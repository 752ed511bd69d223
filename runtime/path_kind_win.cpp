#include <windows.h>

#include "runtime/path_kind.h"
#include "runtime/wide_win.h"

namespace torvane {

PathKind KindOfPath(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    switch (::GetLastError()) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_INVALID_NAME:
      case ERROR_BAD_NETPATH:
      case ERROR_BAD_NET_NAME:
        return PathKind::Missing;
      default:
        return PathKind::Unknown;
    }
  }
  return attributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::Folder : PathKind::NotFolder;
}

}  // namespace torvane
