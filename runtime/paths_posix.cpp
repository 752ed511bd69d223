#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "runtime/paths.h"

namespace torvane {

std::string AbsolutePath(const std::string& path) {
  if (path.starts_with('/')) return path;
  std::unique_ptr<char, void (*)(void*)> here(::getcwd(nullptr, 0), std::free);
  if (!here) return path;
  std::string folder = here.get();
  return folder + (folder.ends_with('/') ? "" : "/") + path;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace torvane
