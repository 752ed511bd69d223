#pragma once

#include <string>
#include <string_view>

namespace torvane {

/// Replaces the content of the file at `path` (UTF-8) with `bytes`, all or nothing: the bytes go
/// to a new temporary file in the same folder, which is flushed to disk and renamed over the
/// file; the folder is then flushed too. A `path` that is a symbolic link replaces the file the
/// link points to and keeps the link.
///
/// On any failure the existing file keeps its content and no temporary file is left behind:
/// OpenFailed when the temporary file cannot be created or the path names a folder or anything
/// else that is not a regular file; WriteFailed when writing, flushing or the rename fails. A new
/// file gets the usual permissions for new files; an existing one keeps its own. `display_name`
/// names the file in failures (UTF-8).
void ReplaceFileContents(const std::string& path, std::string_view bytes,
                         const std::string& display_name);

}  // namespace torvane
