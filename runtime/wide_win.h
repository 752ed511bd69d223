#pragma once

#include <string>
#include <string_view>

namespace torvane {

/// UTF-8 as the UTF-16 of a wide Win32 call, and back. A malformed sequence or an unpaired
/// surrogate becomes U+FFFD.
std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

/// `utf8` as a path for the wide file functions: "/" turned into "\", and a path whose absolute
/// form does not fit in MAX_PATH made absolute with the "\\?\" prefix ("\\?\UNC\" for a share),
/// so that any length up to the system's 32767 characters works. Other paths are kept as they
/// stand, relative ones and device names included.
std::wstring WidePath(const std::string& utf8);

/// The absolute form of `path` (UTF-16, any length) as the system's full-path function gives
/// it: against the current directory, doubled separators and "." and ".." resolved, links not
/// followed. The empty text when the system refuses the path.
std::wstring FullPath(const std::wstring& path);

}  // namespace torvane
