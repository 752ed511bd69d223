#pragma once

#include <memory>
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
  /// characters, "?" one; case is ignored. Listed are files and links leading to files; left
  /// out are names beginning with ".", folders, links and reparse points whose target is missing
  /// and, on Windows, files with the hidden or system attribute. An empty folder part means the
  /// root folder; a doubled separator counts as one. A folder that cannot be listed, at the
  /// start or part way, a missing one included, fails as ListFailed, naming the folder.
  virtual std::vector<std::string> List(const std::string& pattern) = 0;
};

/// The real file system.
class FileSystemLister : public DirectoryLister {
 public:
  std::vector<std::string> List(const std::string& pattern) override;
};

/// A folder's entries one at a time, as the platform reads them; FileSystemLister applies the
/// listing rule over it. Calls that can fail return 0 or the system's error number.
class FolderReader {
 public:
  virtual ~FolderReader() = default;
  /// Starts reading `folder` (a path ending in a separator; empty: the current folder) for the
  /// names `name_pattern` may match; the platform may leave others out.
  virtual long Open(const std::string& folder, const std::string& name_pattern) = 0;
  /// The next entry's name, or `end` set when there is none left.
  virtual long Next(std::string& name, bool& end) = 0;
  /// Whether the entry just read is a file or a link leading to one, and not one the platform
  /// hides (Windows' hidden and system attributes).
  virtual bool IsFile() = 0;
};

/// The platform's FolderReader.
std::unique_ptr<FolderReader> SystemFolderReader();

/// DirectoryLister::List through `reader`.
std::vector<std::string> ListFolder(FolderReader& reader, const std::string& pattern);

/// Whether `name` matches the name pattern `pattern` ("*" any run, "?" one byte), ignoring the
/// case of ASCII letters.
bool MatchesNamePattern(const std::string& name, const std::string& pattern);

}  // namespace torvane
