#pragma once

#include <string>

namespace torvane {

/// The separator the platform puts between a folder and a name, and every character it takes as
/// one.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr const char* kPathSeparators = "\\/";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr const char* kPathSeparators = "/";
#endif

/// `path` (UTF-8) made absolute against the process's current directory, without resolving
/// links; an absolute path is returned as it stands.
std::string AbsolutePath(const std::string& path);

}  // namespace torvane
