#pragma once

// The one number grammar, for the hot loops that read numbers in place: optional sign, digits
// with at most one point, optional exponent (E or e, optional sign, digits). numeric.h's
// conversions are built on it.

#include <cstdint>

#include "runtime/numeric.h"

namespace torvane::number {

/// Which characters are passed over anywhere inside a number.
enum class Blanks {
  kNone,              ///< none: a row's X text, a whole number
  kSpaceTab,          ///< spaces and tabs: a Y text read up to its line's end
  kSpaceTabLineFeed,  ///< spaces, tabs and line feeds: the lenient value of any text
};

template <Blanks kBlanks>
constexpr bool IsSkipped(char c) {
  if constexpr (kBlanks == Blanks::kNone) {
    return false;
  } else if constexpr (kBlanks == Blanks::kSpaceTab) {
    return c == ' ' || c == '\t';
  } else {
    return c == ' ' || c == '\t' || c == '\n';
  }
}

/// What the grammar saw, apart from the digits themselves.
struct Shape {
  bool negative = false;
  bool any_digit = false;
  bool exponent_without_digits = false;
  long long exponent = 0;  ///< saturated far beyond the double range
};

/// Takes the mantissa's digits one at a time: up to 19 digits (leading zeros too) in an integer,
/// with the decimal scale that goes with them. `exact` turns false once a nonzero digit had to
/// be left out.
struct FastDigits {
  uint64_t mantissa = 0;
  int kept = 0;
  long long scale = 0;
  bool exact = true;
  void Digit(unsigned d, bool after_point) {
    if (kept < 19) {
      mantissa = mantissa * 10 + d;
      ++kept;
      scale -= after_point;
    } else {
      scale += !after_point;
      exact &= d == 0;
    }
  }
};

/// Reads the number at the head of [p, end), handing each mantissa digit to `digits`, and
/// returns where it ends. Without an exponent's digits the exponent marker is not part of the
/// number (with kSpaceTabLineFeed it is passed over, as the lenient value always did).
template <Blanks kBlanks, typename Digits>
const char* Scan(const char* p, const char* end, NumberStyle style, Digits& digits, Shape& shape) {
  auto skip = [&] {
    while (p < end && IsSkipped<kBlanks>(*p)) ++p;
  };
  auto sign = [&] {
    bool negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-')) ++p;
    return negative;
  };
  // The digits up to the first character that is neither a digit nor passed over.
  auto digit_run = [&](bool after_point) {
    for (; p < end; ++p) {
      unsigned d = static_cast<unsigned char>(*p) - unsigned{'0'};
      if (d <= 9) {
        digits.Digit(d, after_point);
        shape.any_digit = true;
      } else if (!IsSkipped<kBlanks>(*p)) {
        break;
      }
    }
  };
  skip();
  shape.negative = sign();
  digit_run(false);
  if (p < end && (*p == '.' || (*p == ',' && style.decimal_comma))) {
    ++p;
    digit_run(true);
  }
  if (!shape.any_digit || p == end || (*p != 'e' && *p != 'E')) return p;
  const char* mantissa_end = p;
  ++p;
  skip();
  bool negative_exponent = sign();
  skip();
  if (p == end || *p < '0' || *p > '9') {
    shape.exponent_without_digits = true;
    return kBlanks == Blanks::kSpaceTabLineFeed ? p : mantissa_end;
  }
  long long exponent = 0;
  for (; p < end && *p >= '0' && *p <= '9'; ++p, skip()) {
    if (exponent < 1'000'000'000LL) exponent = exponent * 10 + (*p - '0');
  }
  shape.exponent = negative_exponent ? -exponent : exponent;
  return p;
}

/// The correctly rounded value of a number whose digits FastDigits could not take exactly,
/// scanned again from `begin`.
template <Blanks kBlanks>
double ConvertAllDigits(const char* begin, const char* end, NumberStyle style, const Shape& shape);

/// The correctly rounded value of the number Scan saw from `begin`.
template <Blanks kBlanks>
inline double Convert(const char* begin, const char* end, NumberStyle style, const FastDigits& fast,
                      const Shape& shape) {
  if (!shape.any_digit || (fast.exact && fast.mantissa == 0)) return shape.negative ? -0.0 : 0.0;
  // An exact mantissa times or divided by an exact power of ten rounds once, correctly.
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const long long scale = fast.scale + shape.exponent;
  if (fast.exact && fast.mantissa <= (uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
    double m = static_cast<double>(fast.mantissa);
    double magnitude = scale < 0 ? m / kPowers[-scale] : m * kPowers[scale];
    return shape.negative ? -magnitude : magnitude;
  }
  return ConvertAllDigits<kBlanks>(begin, end, style, shape);
}

/// The number at the head of [begin, end) with kBlanks passed over inside it: sets `value` (0
/// when no number begins there) and returns where the number ends (`begin` when there is none).
template <Blanks kBlanks>
inline const char* ReadNumber(const char* begin, const char* end, NumberStyle style,
                              double& value) {
  FastDigits fast;
  Shape shape;
  const char* stop = Scan<kBlanks>(begin, end, style, fast, shape);
  if (!shape.any_digit) {
    value = 0.0;
    return begin;
  }
  value = Convert<kBlanks>(begin, stop, style, fast, shape);
  return stop;
}

}  // namespace torvane::number
