#pragma once

#include <string>

#include "extract/row_table.h"

namespace torvane {

/// The peak of `rows` in the abscissa range `X_start`..`X_end`, both ends included: among the
/// rows with texts whose X value v satisfies X_start <= v <= X_end (compared as doubles), the
/// one with the largest Y value, the later row on a tie. Returns its X text, a tab and its Y
/// text, exactly as read; the empty text when no row is in range.
std::string FindMax(double X_start, double X_end, const RowTable& rows);

/// The valley: as FindMax, with the smallest Y value.
std::string FindMin(double X_start, double X_end, const RowTable& rows);

}  // namespace torvane
