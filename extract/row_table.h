#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/failure.h"
#include "runtime/int16.h"

namespace torvane {

/// The rows of the data file read last. Row r (1 <= r <= RowCount) holds the X and Y texts
/// exactly as read (code page 936 bytes) and their lenient numeric values, computed once when
/// the row was read. A row line without a delimiter keeps its index but holds no texts, and no
/// search chooses it. Reading the next file replaces every row, so memory is bounded by the
/// largest file read, whatever the number of files.
class RowTable {
 public:
  /// How many row lines the current data file held: 0 to 32767.
  Int16 RowCount() const { return Int16::From(static_cast<long long>(rows_.size())); }

  /// The X text of row `r`. SubscriptOutOfRange outside 1..RowCount.
  std::string_view XData(long r) const {
    const Row& row = At(r);
    return {text_.data() + row.x_begin, row.x_size};
  }
  /// The Y text of row `r`: everything after the delimiter. SubscriptOutOfRange as XData.
  std::string_view YData(long r) const {
    const Row& row = At(r);
    return {text_.data() + row.y_begin, row.y_size};
  }
  /// Whether row `r`'s line had a delimiter, so that it holds texts and can be chosen.
  bool HasTexts(long r) const { return At(r).split; }
  double XValue(long r) const { return At(r).x; }
  double YValue(long r) const { return At(r).y; }

  /// Forgets every row; keeps the storage for the next file.
  void Clear() {
    text_.clear();
    rows_.clear();
  }

  /// Appends a row whose X text is `line`'s first `x_size` bytes and whose Y text is its last
  /// `y_size` bytes, with their numeric values. Overflow, with nothing stored, past 32767 rows.
  void AppendSplit(std::string_view line, std::size_t x_size, std::size_t y_size, double x,
                   double y) {
    CheckRoom();
    std::size_t begin = text_.size();
    text_.append(line);
    rows_.push_back({begin, begin + line.size() - y_size, static_cast<uint32_t>(x_size),
                     static_cast<uint32_t>(y_size), x, y, true});
  }
  /// Appends a row for a line without a delimiter; Overflow as AppendSplit.
  void AppendUnsplit() {
    CheckRoom();
    rows_.push_back({text_.size(), text_.size(), 0, 0, 0.0, 0.0, false});
  }

 private:
  struct Row {
    std::size_t x_begin;
    std::size_t y_begin;
    uint32_t x_size;
    uint32_t y_size;
    double x;
    double y;
    bool split;
  };

  void CheckRoom() const {
    if (rows_.size() >= INT16_MAX) throw Failure(FailureKind::Overflow);
  }

  const Row& At(long r) const {
    if (r < 1 || r > static_cast<long>(rows_.size())) {
      throw Failure(FailureKind::SubscriptOutOfRange);
    }
    return rows_[static_cast<std::size_t>(r - 1)];
  }

  std::string text_;  // the row lines' bytes, one after another
  std::vector<Row> rows_;
};

}  // namespace torvane
