#pragma once

#include <cstdint>

#include "runtime/failure.h"

namespace torvane {

/// A 16-bit signed count, length, position or index. Every construction from a wider value is
/// checked: a value outside -32768..32767 raises Overflow.
class Int16 {
 public:
  constexpr Int16() = default;

  /// Narrows `value`; raises Overflow outside -32768..32767.
  static constexpr Int16 From(long long value) {
    if (value < INT16_MIN || value > INT16_MAX) throw Failure(FailureKind::Overflow);
    Int16 result;
    result.value_ = static_cast<int16_t>(value);
    return result;
  }

  constexpr int16_t value() const { return value_; }

 private:
  int16_t value_ = 0;
};

}  // namespace torvane
