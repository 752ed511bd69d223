#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torvane {

/// A text file opened for sequential input, read one line at a time. A line ends at CR LF, at a
/// lone CR or at a lone LF; the terminator is consumed and not part of the line. A last line
/// without terminator is given whole. The file is closed when the object goes away.
class InputFile {
 public:
  /// Opens `path`; FileNotFound when it does not exist, OpenFailed for any other refusal.
  /// `display_name` names the file in failures (UTF-8).
  InputFile(const std::string& path, std::string display_name);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  /// True when nothing is left to read; true at once for an empty file.
  bool AtEnd();

  /// The next line, without its terminator. The view stays valid until the next call.
  /// Raises InputPastEndOfFile at the end of the file.
  std::string_view ReadLine();

  /// How many lines ReadLine has given so far.
  long lines_read() const { return lines_read_; }
  const std::string& display_name() const { return display_name_; }

 private:
  // Reads more bytes behind the unread ones; false at the end of the file.
  bool Fill();

  int fd_ = -1;
  std::string display_name_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // first unread byte
  std::size_t end_ = 0;    // one past the last byte read from the file
  bool eof_ = false;
  long lines_read_ = 0;
};

}  // namespace torvane
