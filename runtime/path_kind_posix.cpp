#include <sys/stat.h>

#include <cerrno>

#include "runtime/path_kind.h"

namespace torvane {

PathKind KindOfPath(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing : PathKind::Unknown;
  }
  return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::NotFolder;
}

}  // namespace torvane
