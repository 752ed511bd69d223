#pragma once

#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "extract/search.h"
#include "runtime/numeric.h"

namespace torvane {

/// What reading one data file gave.
struct FileResult {
  bool found = false;  ///< a row was in range; `row` is the chosen one
  ChosenRow row;
  long rows = 0;             ///< row lines read (RowCount)
  long rows_with_texts = 0;  ///< row lines that had a delimiter, so an X and a Y text
  /// The smallest and largest X value of those rows (+inf and -inf when there are none).
  double x_low = std::numeric_limits<double>::infinity();
  double x_high = -std::numeric_limits<double>::infinity();
};

/// Receives the rows of a data file as the reader splits them, in file order.
class RowVisitor {
 public:
  virtual ~RowVisitor() = default;
  /// Whether the row with X value `x` (a row with a delimiter) is wanted: only a wanted row has
  /// its Y value formed and is handed to Visit.
  virtual bool Wants(double x) const = 0;
  /// A wanted row: its X and Y values as a search compares them, and its line number.
  virtual void Visit(double x, double y, long line) = 0;
};

/// A reader's working memory, kept from one file to the next: about 1.1 MiB, whatever the
/// files hold.
class ReadBuffer {
 public:
  ReadBuffer();
  char* data() { return data_.get(); }

  /// The bytes read from a file at once.
  static constexpr std::size_t kBlock = std::size_t{1} << 20;
  /// The longest line that may still hold at most 32767 characters: 32767 double-byte ones.
  static constexpr std::size_t kLongestLine = 2 * 32767;
  static constexpr std::size_t kCapacity = kBlock + kLongestLine + 2;

 private:
  std::unique_ptr<char[]> data_;
};

/// Reads the data file at `path` once, from start to end, and offers every row to `search`
/// (when given; without one the file is only read and checked).
///
/// A UTF-8 byte order mark at the very start of the file is not part of its first line. Lines
/// end at CR LF, a lone CR or a lone LF; a last line without one counts. The heading count H is
/// the lenient value of `heading_text`, rounded half to even; the first H lines are skipped
/// (none when H <= 0). Every later line is a row, split at its delimiter: the first character
/// whose code is below 33 or above 122 (a control character, the space, "{", "|", "}", "~", code
/// 127 and up, any double-byte character), and with `style.decimal_comma` also ";". The X text
/// is what precedes the delimiter, the Y text everything after it. A line without a delimiter,
/// an empty one included, counts as a row but is never chosen. The Y value is formed only for
/// rows whose X value is in range.
///
/// Failures name the file by `display_name` and, where a line is concerned, its line number in
/// the file: FileNotFound or OpenFailed when it cannot be opened (it must be a regular file);
/// Overflow for a heading count outside -32768..32767, for a 32768th row line, or for a row line
/// over 32767 characters (found having read at most one block past the line's start);
/// InputPastEndOfFile when the file has fewer than H lines; ReadFailed when reading fails.
FileResult ReadDataFile(const std::string& path, const std::string& display_name,
                        std::string_view heading_text, RangeSearch* search, NumberStyle style,
                        ReadBuffer& buffer);

/// Reads the data file at `path` as ReadDataFile does, with the same failures, offering every
/// row with a delimiter to `visitor` (and to `search`, when given).
FileResult VisitDataFile(const std::string& path, const std::string& display_name,
                         std::string_view heading_text, RowVisitor& visitor, RangeSearch* search,
                         NumberStyle style, ReadBuffer& buffer);

}  // namespace torvane
