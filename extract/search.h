#pragma once

#include <string>

namespace torvane {

/// The row a search chose in one data file.
struct ChosenRow {
  std::string x, y;  ///< the X and Y texts exactly as read (code page 936 bytes)
  double x_value = 0.0, y_value = 0.0;
  long line = 0;  ///< its line number in the file, heading lines included
};

/// A peak or valley search over the rows of one data file, offered one at a time in file order.
/// Among the rows whose X value v satisfies X_start <= v <= X_end (compared as doubles) it keeps
/// the one with the largest (peak) or smallest (valley) Y value, the later row on a tie: the row
/// that taking the extreme first and then the last row reaching it would give.
class RangeSearch {
 public:
  RangeSearch(double X_start, double X_end, bool peak)
      : X_start_(X_start), X_end_(X_end), peak_(peak) {}

  bool InRange(double x) const { return x >= X_start_ && x <= X_end_; }

  /// Whether an in-range row with Y value `y` takes the place of the row kept so far.
  bool Takes(double y) const { return !found_ || (peak_ ? y >= extreme_ : y <= extreme_); }
  /// Keeps an in-range row that Takes(y) accepted.
  void Keep(double y) {
    found_ = true;
    extreme_ = y;
  }

  bool found() const { return found_; }

 private:
  double X_start_, X_end_;
  bool peak_;
  bool found_ = false;
  double extreme_ = 0.0;
};

/// The peak search of the abscissa range X_start..X_end, both ends included.
inline RangeSearch FindMax(double X_start, double X_end) {
  return RangeSearch(X_start, X_end, true);
}
/// The valley search of the abscissa range X_start..X_end, both ends included.
inline RangeSearch FindMin(double X_start, double X_end) {
  return RangeSearch(X_start, X_end, false);
}

}  // namespace torvane
