#pragma once

#include <stdexcept>
#include <string>

namespace torvane {

/// The kinds of failure a step of the program can raise.
enum class FailureKind {
  InvalidArgument,      ///< invalid procedure call or argument
  Overflow,             ///< a 16-bit count, length or index left -32768..32767
  SubscriptOutOfRange,  ///< an index outside a fixed array's bounds
  TypeMismatch,         ///< a text that is not a number where one is required
  FileNotFound,         ///< a file to read does not exist
  FileAlreadyOpen,      ///< a file number is taken
  InputPastEndOfFile,   ///< a line was read after the end of a file
  OpenFailed,           ///< any other failure to open a file
  WriteFailed,          ///< a write, flush or rename of an output file failed
  TooManyDataFiles,     ///< more data files than one run can process
};

/// One typed failure: its kind, an optional plain-Chinese detail, and where a data file is
/// concerned that file's name (as the user knows it) and the 1-based line number (0: none).
class Failure : public std::runtime_error {
 public:
  explicit Failure(FailureKind kind, std::string detail = {}, std::string file = {}, long line = 0);

  FailureKind kind() const { return kind_; }
  const std::string& detail() const { return detail_; }
  const std::string& file() const { return file_; }
  long line() const { return line_; }

 private:
  FailureKind kind_;
  std::string detail_;
  std::string file_;
  long line_;
};

/// A system error number (errno) in plain Chinese, for a failure's detail.
std::string SystemErrorText(int error);

/// The failure as the user reads it: the kind in plain Chinese, the detail, then the file name
/// and line number where there are such (UTF-8).
std::string DescribeFailure(const Failure& failure);

}  // namespace torvane
