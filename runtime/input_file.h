#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace torvane {

/// A data file opened for reading in blocks. Opening never waits: the path must name a regular
/// file, and a named pipe, device, socket or folder in its place is refused at once. The file is
/// closed when the object goes away.
class InputFile {
 public:
  /// Opens `path` (UTF-8). FileNotFound when it does not exist; OpenFailed for any other
  /// refusal, a file that is not a regular one included. `display_name` names the file in
  /// failures (UTF-8).
  InputFile(const std::string& path, std::string display_name);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  /// Reads up to `size` bytes into `buffer` and returns how many; 0 only at the end of the
  /// file. ReadFailed when the system reports an error.
  std::size_t Read(char* buffer, std::size_t size);

 private:
  std::intptr_t handle_;  // a file descriptor, or a Windows HANDLE
  std::string display_name_;
};

}  // namespace torvane
