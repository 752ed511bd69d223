#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "extract/reader.h"

namespace torvane::picture {

/// Where `value` lies between `from` and `to`, as 0..1: clamped, so that a value beyond an end
/// (an infinite one included) lands on that end, and 0.5 when the ends meet at the value.
double Fraction(double value, double from, double to);

/// A row of a data file: its X and Y values and its line number.
struct Sample {
  double x = 0, y = 0;
  long line = 0;
};

/// A curve thinned for drawing `columns` pixel columns wide over the X values `low`..`high`:
/// of the rows in each column it keeps the first, the last, the smallest Y and the largest Y (the
/// earliest on a tie), and the row on line `chosen_line` wherever it lies. Holds at most four
/// rows per column, whatever the number of rows offered.
class Decimator : public RowVisitor {
 public:
  Decimator(double low, double high, int columns, long chosen_line);

  bool Wants(double x) const override { return x >= low_ && x <= high_; }
  void Visit(double x, double y, long line) override;

  /// The pixel column of the X value `x` (0..columns-1): where `x` lies between `low` and
  /// `high` (as Fraction says) times the number of columns, rounded down; the last one for
  /// `high`.
  std::size_t Column(double x) const;

  /// The rows kept, column by column from left to right; within a column in file order when the
  /// file's X grows (its last row offered lies right of its first), in reverse when it falls.
  std::vector<Sample> Curve() const;

 private:
  struct Kept {
    long count = 0;
    Sample first, last, low, high;
  };

  double low_, high_;
  double scale_;  // columns per halved X unit: Column(x) is floor((x/2 - low/2) * scale_)
  long chosen_line_;
  std::vector<Kept> columns_;
  std::optional<Sample> chosen_;
  std::optional<double> first_x_;
  double last_x_ = 0;
};

}  // namespace torvane::picture
