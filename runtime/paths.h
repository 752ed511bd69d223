#pragma once

#include <cstdint>
#include <optional>
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

/// What tells one file from every other while it exists: its volume and its number there
/// (device and inode on POSIX, volume serial number and file index on Windows).
struct FileIdentity {
  std::uint64_t volume = 0, index = 0;
  bool operator==(const FileIdentity&) const = default;
};

/// The identity of the file `path` (UTF-8, relative to the current directory or absolute) leads
/// to, links followed: the same for every path, link and spelling of the same file (case too,
/// where names ignore it). Nothing when the path leads to no file that can be reached.
std::optional<FileIdentity> IdentityOf(const std::string& path);

}  // namespace torvane
