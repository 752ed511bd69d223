#pragma once

#include <string>
#include <vector>

#include "runtime/paths.h"

namespace torvane {

/// The file system's directory enumeration, abstract so that tests can hand out names in a
/// chosen order.
class DirectoryLister {
 public:
  virtual ~DirectoryLister() = default;

  /// Names matching `pattern` (a folder path, the separator, then a name pattern such as
  /// "*.txt"), bare and each once, in the file system's order. "*" matches any run of
  /// characters, "?" one; case is ignored. Only regular files (links to them too) are listed;
  /// folders and hidden files (names beginning with ".") are left out. A missing folder gives no
  /// names; an empty folder part means the root folder; a doubled separator counts as one.
  virtual std::vector<std::string> List(const std::string& pattern) = 0;
};

/// The real file system.
class FileSystemLister : public DirectoryLister {
 public:
  std::vector<std::string> List(const std::string& pattern) override;
};

/// Whether `name` matches the name pattern `pattern` ("*" any run, "?" one byte), ignoring the
/// case of ASCII letters.
bool MatchesNamePattern(const std::string& name, const std::string& pattern);

}  // namespace torvane
