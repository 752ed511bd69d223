#include "extract/search.h"

#include <functional>

namespace torvane {
namespace {

// One pass that keeps the last in-range row whose Y value is at least as extreme as the one
// kept so far: the same row as taking the extreme first and then the last row that reaches it.
template <typename AtLeastAsExtreme>
std::string FindExtreme(double X_start, double X_end, const RowTable& rows,
                        AtLeastAsExtreme at_least_as_extreme) {
  long chosen = 0;
  double extreme = 0.0;
  long count = rows.RowCount().value();
  for (long r = 1; r <= count; ++r) {
    if (!rows.HasTexts(r)) continue;
    double x = rows.XValue(r);
    if (!(x >= X_start && x <= X_end)) continue;
    double y = rows.YValue(r);
    if (chosen == 0 || at_least_as_extreme(y, extreme)) {
      chosen = r;
      extreme = y;
    }
  }
  if (chosen == 0) return {};
  std::string result(rows.XData(chosen));
  result += '\t';
  result += rows.YData(chosen);
  return result;
}

}  // namespace

std::string FindMax(double X_start, double X_end, const RowTable& rows) {
  return FindExtreme(X_start, X_end, rows, std::greater_equal<double>());
}

std::string FindMin(double X_start, double X_end, const RowTable& rows) {
  return FindExtreme(X_start, X_end, rows, std::less_equal<double>());
}

}  // namespace torvane
