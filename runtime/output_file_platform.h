#pragma once

// The few file operations ReplaceFileContents (runtime/output_file.cpp) is built on, one set per
// platform. Each call that can fail returns 0 or the system's error number (errno on POSIX,
// GetLastError() on Windows) and leaves every decision to the caller.

#include <cstdint>
#include <string>
#include <string_view>

namespace torvane::output_platform {

/// What stands where a file is about to be written.
struct Destination {
  enum class Kind { Missing, File, Folder, Other };
  /// The file that writing reaches: links followed, each relative target taken from the link's
  /// own folder.
  std::string path;
  Kind kind = Kind::Missing;
  /// A file the system refuses to replace as it stands (Windows' read-only attribute).
  bool read_only = false;
  /// What a new file takes over from the old one before its first byte: the POSIX permission
  /// bits, or Windows' hidden, system and archive attributes.
  std::uint32_t mode = 0;
};

using Handle = std::intptr_t;

/// Finds what writing to `path` reaches and what stands there.
long Inspect(const std::string& path, Destination& destination);

/// Creates the file `path`, which must not exist yet, for writing; sets `handle`.
long CreateExclusive(const std::string& path, Handle& handle);
/// Whether `error` says that the name is taken.
bool AlreadyExists(long error);

/// Gives the new file `handle` what it keeps of `destination` before the content goes in.
long TakeOver(Handle handle, const Destination& destination);
/// Writes all of `bytes`.
long Write(Handle handle, std::string_view bytes);
/// Brings what was written to the disk.
long Flush(Handle handle);
/// Closes the file; the handle is gone whatever the outcome.
long Close(Handle handle);

/// Puts the closed file `temporary` in the place of `destination.path`; a file standing there
/// keeps what the platform keeps of it (its ACL, attributes and creation time on Windows).
long Replace(const std::string& temporary, const Destination& destination);
/// Whether `error` says that another program holds the destination open (sharing and lock
/// violations), which may pass within moments.
bool HeldOpen(long error);

/// Removes the file `path`, quietly.
void Remove(const std::string& path);
/// Best effort: brings `folder`'s entries (the renamed file) to the disk.
void SyncFolder(const std::string& folder);

/// The folder part of `path`, with its trailing separator; empty for a bare name.
std::string FolderOf(const std::string& path);

}  // namespace torvane::output_platform
