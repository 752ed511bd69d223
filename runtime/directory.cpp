#include "runtime/directory.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <memory>

namespace torvane {

bool MatchesNamePattern(const std::string& name, const std::string& pattern) {
  auto lower = [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  // Iterative glob with back-tracking to the last "*".
  std::size_t n = 0, p = 0, star = std::string::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

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
