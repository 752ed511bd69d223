#include "picture/decimator.h"

#include <algorithm>
#include <cmath>

namespace torvane::picture {

double Fraction(double value, double from, double to) {
  // Halved first, so that the distances of the largest finite values do not overflow.
  const double t = (value / 2 - from / 2) / (to / 2 - from / 2);
  if (std::isnan(t)) return from == to && value == from ? 0.5 : value < from ? 0.0 : 1.0;
  return std::clamp(t, 0.0, 1.0);
}

Decimator::Decimator(double low, double high, int columns, long chosen_line)
    : low_(low),
      high_(high),
      chosen_line_(chosen_line),
      columns_(static_cast<std::size_t>(std::max(columns, 1))) {
  scale_ = static_cast<double>(columns_.size()) / (high / 2 - low / 2);
}

std::size_t Decimator::Column(double x) const {
  // One multiplication per row; Fraction's care only where the ends meet or are not finite.
  double at = (x / 2 - low_ / 2) * scale_;
  if (!std::isfinite(at)) at = Fraction(x, low_, high_) * static_cast<double>(columns_.size());
  at = std::floor(std::clamp(at, 0.0, static_cast<double>(columns_.size() - 1)));
  return static_cast<std::size_t>(at);
}

void Decimator::Visit(double x, double y, long line) {
  const Sample sample{x, y, line};
  Kept& column = columns_[Column(x)];
  if (column.count++ == 0) {
    column.first = column.last = column.low = column.high = sample;
  } else {
    column.last = sample;
    if (y < column.low.y) column.low = sample;
    if (y > column.high.y) column.high = sample;
  }
  if (line == chosen_line_) chosen_ = sample;
  if (!first_x_) first_x_ = x;
  last_x_ = x;
}

std::vector<Sample> Decimator::Curve() const {
  const bool falling = first_x_ && last_x_ < *first_x_;
  auto in_order = [&](const Sample& a, const Sample& b) {
    return falling ? a.line > b.line : a.line < b.line;
  };
  auto same = [](const Sample& a, const Sample& b) { return a.line == b.line; };
  std::vector<Sample> curve;
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const Kept& column = columns_[i];
    if (column.count == 0) continue;
    const auto begin = static_cast<std::ptrdiff_t>(curve.size());
    curve.insert(curve.end(), {column.first, column.last, column.low, column.high});
    if (chosen_ && Column(chosen_->x) == i) curve.push_back(*chosen_);
    std::sort(curve.begin() + begin, curve.end(), in_order);
    curve.erase(std::unique(curve.begin() + begin, curve.end(), same), curve.end());
  }
  return curve;
}

}  // namespace torvane::picture
