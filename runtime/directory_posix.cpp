#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "runtime/directory.h"

namespace torvane {

std::vector<std::string> FileSystemLister::List(const std::string& pattern) {
  std::vector<std::string> names;
  std::size_t cut = pattern.find_last_of(kPathSeparator);
  std::string folder = cut == std::string::npos ? "." : pattern.substr(0, cut + 1);
  std::string name_pattern = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
  if (folder.empty()) folder = std::string(1, kPathSeparator);

  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return names;
  while (dirent* entry = ::readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    if (!MatchesNamePattern(name, name_pattern)) continue;
    struct stat info {};
    if (::stat((folder + name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace torvane
