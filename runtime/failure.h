#pragma once

#include <stdexcept>
#include <string>

namespace torvane {

/// The kinds of failure a step of the program can raise.
enum class FailureKind {
  Overflow,             ///< a 16-bit count, length or index left -32768..32767
  InvalidArgument,      ///< a value the run cannot take: a reversed range, an empty name
  TypeMismatch,         ///< a text that is not a number where one is required
  FileNotFound,         ///< a file to read does not exist
  InputPastEndOfFile,   ///< a line was read after the end of a file
  OpenFailed,           ///< any other failure to open a file, or a file that is not a regular one
  ReadFailed,           ///< reading an open file failed part way
  ListFailed,           ///< a folder's names could not be read, at the start or part way
  WriteFailed,          ///< a write, flush or rename of an output file failed
  TooManyDataFiles,     ///< more data files than one run can process
};

/// One typed failure: its kind, what went wrong in plain Chinese (complete on its own; empty
/// means the kind's own wording), and where a data file is concerned that file's name (as the
/// user knows it) and the 1-based line number (0: none).
class Failure : public std::runtime_error {
 public:
  explicit Failure(FailureKind kind, std::string message = {}, std::string file = {},
                   long line = 0);

  FailureKind kind() const { return kind_; }
  /// What went wrong, without the file and line.
  const std::string& message() const { return message_; }
  const std::string& file() const { return file_; }
  long line() const { return line_; }

 private:
  FailureKind kind_;
  std::string message_;
  std::string file_;
  long line_;
};

/// The platform's error number (errno on POSIX, GetLastError() on Windows) in plain Chinese.
std::string SystemErrorText(long error);

/// The failure as the user reads it (UTF-8): what went wrong, then the file (the folder, for
/// ListFailed) and the line number where there are such, each on a line of its own.
std::string DescribeFailure(const Failure& failure);

}  // namespace torvane
