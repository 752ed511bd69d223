#include "runtime/numeric.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace torvane {
namespace {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// What the grammar saw, apart from the digits themselves.
struct Shape {
  bool negative = false;
  bool any_digit = false;
  bool exponent_without_digits = false;
  long long exponent = 0;  // saturated far beyond the double range
};

// Takes the mantissa's digits: up to 19 significant ones in an integer, with the decimal scale
// that goes with them. `exact` turns false once a nonzero digit had to be left out.
struct FastDigits {
  uint64_t mantissa = 0;
  int kept = 0;
  long long scale = 0;
  bool exact = true;
  void Digit(char c, bool after_point) {
    if (kept == 0 && c == '0') {
      if (after_point) --scale;
      return;
    }
    if (kept < 19) {
      mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
      ++kept;
      if (after_point) --scale;
    } else {
      if (!after_point) ++scale;
      if (c != '0') exact = false;
    }
  }
};

// Takes every significant digit, for the rare number that FastDigits cannot convert exactly.
struct AllDigits {
  std::string digits;
  long long scale = 0;  // value = 0.digits * 10^(scale + exponent)
  void Digit(char c, bool after_point) {
    if (digits.empty() && c == '0') {
      if (after_point) --scale;
      return;
    }
    digits += c;
    if (!after_point) ++scale;
  }
};

// The one number grammar: optional sign, digits with at most one point, optional exponent (E or
// e, optional sign, digits). With `kSkipBlanks`, blanks are passed over anywhere inside it.
// Hands each mantissa digit to `digits` and returns where the number ends.
template <bool kSkipBlanks, typename Digits>
const char* Scan(const char* p, const char* end, NumberStyle style, Digits& digits, Shape& shape) {
  auto skip = [&] {
    if constexpr (kSkipBlanks) {
      while (p < end && IsBlank(*p)) ++p;
    }
  };
  auto sign = [&] {
    bool negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-')) ++p;
    return negative;
  };
  skip();
  shape.negative = sign();
  bool after_point = false;
  for (skip(); p < end; skip()) {
    char c = *p;
    if (IsDigit(c)) {
      digits.Digit(c, after_point);
      shape.any_digit = true;
    } else if (!after_point && (c == '.' || (c == ',' && style.decimal_comma))) {
      after_point = true;
    } else {
      break;
    }
    ++p;
  }
  if (!shape.any_digit || p == end || (*p != 'e' && *p != 'E')) return p;
  const char* mantissa_end = p;
  ++p;
  skip();
  bool negative_exponent = sign();
  skip();
  if (p == end || !IsDigit(*p)) {
    shape.exponent_without_digits = true;
    return kSkipBlanks ? p : mantissa_end;
  }
  long long exponent = 0;
  for (; p < end && IsDigit(*p); ++p, skip()) {
    if (exponent < 1'000'000'000LL) exponent = exponent * 10 + (*p - '0');
  }
  shape.exponent = negative_exponent ? -exponent : exponent;
  return p;
}

double Signed(const Shape& shape, double magnitude) {
  return shape.negative ? -magnitude : magnitude;
}

// The correctly rounded value of the digits of [begin, end) that Scan saw.
template <bool kSkipBlanks>
double Convert(const char* begin, const char* end, NumberStyle style, const FastDigits& fast,
               const Shape& shape) {
  if (!shape.any_digit || fast.kept == 0) return Signed(shape, 0.0);
  // An exact mantissa times or divided by an exact power of ten rounds once, correctly.
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const long long scale = fast.scale + shape.exponent;
  if (fast.exact && fast.mantissa <= (uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
    double m = static_cast<double>(fast.mantissa);
    return Signed(shape, scale < 0 ? m / kPowers[-scale] : m * kPowers[scale]);
  }
  AllDigits all;
  Shape again;
  Scan<kSkipBlanks>(begin, end, style, all, again);
  const long long power = all.scale + shape.exponent;
  if (power > 400) return Signed(shape, std::numeric_limits<double>::infinity());
  if (power < -400) return Signed(shape, 0.0);
  std::string text = "0." + all.digits + "e" + std::to_string(power);
  double magnitude = 0.0;
  auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  (void)stop;
  if (error == std::errc::result_out_of_range) {
    magnitude = power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return Signed(shape, magnitude);
}

}  // namespace

double LenientValue(std::string_view text, NumberStyle style) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  FastDigits fast;
  Shape shape;
  Scan<true>(begin, end, style, fast, shape);
  return Convert<true>(begin, end, style, fast, shape);
}

const char* ScanNumberPrefix(const char* begin, const char* end, NumberStyle style, double& value) {
  FastDigits fast;
  Shape shape;
  const char* stop = Scan<false>(begin, end, style, fast, shape);
  if (!shape.any_digit) {
    value = 0.0;
    return begin;
  }
  value = Convert<false>(begin, stop, style, fast, shape);
  return stop;
}

namespace {

// Where the one number that fills `text` (spaces and tabs around it allowed) ends, or nothing.
bool WholeNumber(std::string_view text, NumberStyle style, double* value) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t first = 0, last = text.size();
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  const char* begin = text.data() + first;
  const char* end = text.data() + last;
  FastDigits fast;
  Shape shape;
  const char* stop = Scan<false>(begin, end, style, fast, shape);
  if (!shape.any_digit || shape.exponent_without_digits || stop != end) return false;
  if (value) *value = Convert<false>(begin, end, style, fast, shape);
  return true;
}

}  // namespace

bool IsWholeNumber(std::string_view text, NumberStyle style) {
  return WholeNumber(text, style, nullptr);
}

double StrictValue(std::string_view text) {
  double value = 0.0;
  if (!WholeNumber(text, {}, &value)) {
    throw Failure(FailureKind::TypeMismatch, "“" + std::string(text) + "”不是数字");
  }
  return value;
}

Int16 RoundToInt16(double value) {
  if (std::isnan(value) || value < -32768.5 || value > 32767.5) {
    throw Failure(FailureKind::Overflow);
  }
  double floor = std::floor(value);
  double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1;
  return Int16::From(static_cast<long long>(rounded));
}

}  // namespace torvane
