#include "runtime/directory.h"

#include <cctype>

#include "runtime/failure.h"

namespace torvane {

std::vector<std::string> FileSystemLister::List(const std::string& pattern) {
  return ListFolder(*SystemFolderReader(), pattern);
}

std::vector<std::string> ListFolder(FolderReader& reader, const std::string& pattern) {
  std::size_t cut = pattern.find_last_of(kPathSeparators);
  const std::string folder = cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
  const std::string name_pattern = pattern.substr(folder.size());
  auto failed = [&](long error) {
    // The folder as the caller named it: without the separator that joined the pattern on.
    std::string shown = folder.size() > 1 ? folder.substr(0, folder.size() - 1) : folder;
    return Failure(FailureKind::ListFailed, "无法读取文件夹：" + SystemErrorText(error), shown);
  };

  std::vector<std::string> names;
  if (long error = reader.Open(folder, name_pattern)) throw failed(error);
  std::string name;
  for (bool end = false;;) {
    if (long error = reader.Next(name, end)) throw failed(error);
    if (end) return names;
    if (name.empty() || name[0] == '.' || !MatchesNamePattern(name, name_pattern)) continue;
    if (reader.IsFile()) names.push_back(std::move(name));
  }
}

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

}  // namespace torvane
