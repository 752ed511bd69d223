#pragma once

#include <string>

namespace torvane {

/// What stands at a path.
enum class PathKind {
  Missing,    ///< nothing: no such file or folder, or a folder on the way is missing
  Folder,     ///< a folder (or a link to one)
  NotFolder,  ///< a file or anything else that is not a folder
  Unknown,    ///< the system cannot tell (no permission to look, for example)
};

/// What stands at `path` (UTF-8), links followed; any length the system takes, on Windows too.
PathKind KindOfPath(const std::string& path);

}  // namespace torvane
