#pragma once

#include <string>
#include <string_view>

namespace torvane {

/// Replaces the content of the file at `path` with `bytes`, all or nothing: the bytes go to a
/// temporary file in the same folder, which is flushed to disk and renamed over `path`. On any
/// failure (WriteFailed, or OpenFailed when the file cannot be created) the existing file keeps
/// its content and no temporary file is left behind. A new file gets the usual permissions; an
/// existing one keeps its own. `display_name` names the file in failures (UTF-8).
void ReplaceFileContents(const std::string& path, std::string_view bytes,
                         const std::string& display_name);

}  // namespace torvane
