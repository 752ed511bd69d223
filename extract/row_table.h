#pragma once

#include <string>

#include "runtime/fixed_array.h"

namespace torvane {

/// The rows of the data file read last: X and Y texts exactly as read (code page 936 bytes).
/// Entries past the current row count keep texts of earlier files and are never read.
struct RowTable {
  FixedArray<std::string, 1, 50000> XData;
  FixedArray<std::string, 1, 50000> YData;
};

}  // namespace torvane
