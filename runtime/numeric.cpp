#include "runtime/numeric.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "runtime/failure.h"
#include "runtime/number_scan.h"

namespace torvane {
namespace number {
namespace {

// Takes every significant digit, for the rare number that FastDigits cannot convert exactly.
struct AllDigits {
  std::string digits;
  long long scale = 0;  // value = 0.digits * 10^(scale + exponent)
  void Digit(unsigned d, bool after_point) {
    if (digits.empty() && d == 0) {
      scale -= after_point;
      return;
    }
    digits += static_cast<char>('0' + d);
    scale += !after_point;
  }
};

}  // namespace

template <Blanks kBlanks>
double ConvertAllDigits(const char* begin, const char* end, NumberStyle style, const Shape& shape) {
  AllDigits all;
  Shape again;
  Scan<kBlanks>(begin, end, style, all, again);
  const double sign = shape.negative ? -1.0 : 1.0;
  const long long power = all.scale + shape.exponent;
  if (all.digits.empty() || power < -400) return sign * 0.0;
  if (power > 400) return sign * std::numeric_limits<double>::infinity();
  std::string text = "0." + all.digits + "e" + std::to_string(power);
  double magnitude = 0.0;
  auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  (void)stop;
  if (error == std::errc::result_out_of_range) {
    magnitude = power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return sign * magnitude;
}

template double ConvertAllDigits<Blanks::kNone>(const char*, const char*, NumberStyle,
                                                const Shape&);
template double ConvertAllDigits<Blanks::kSpaceTab>(const char*, const char*, NumberStyle,
                                                    const Shape&);
template double ConvertAllDigits<Blanks::kSpaceTabLineFeed>(const char*, const char*, NumberStyle,
                                                            const Shape&);

}  // namespace number

using number::Blanks;

double LenientValue(std::string_view text, NumberStyle style) {
  double value;
  number::ReadNumber<Blanks::kSpaceTabLineFeed>(text.data(), text.data() + text.size(), style,
                                                value);
  return value;
}

namespace {

// Whether the one number that fills `text` (spaces and tabs around it allowed); sets `value`.
bool WholeNumber(std::string_view text, NumberStyle style, double* value) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t first = 0, last = text.size();
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  const char* begin = text.data() + first;
  const char* end = text.data() + last;
  number::FastDigits fast;
  number::Shape shape;
  const char* stop = number::Scan<Blanks::kNone>(begin, end, style, fast, shape);
  if (!shape.any_digit || shape.exponent_without_digits || stop != end) return false;
  if (value) *value = number::Convert<Blanks::kNone>(begin, end, style, fast, shape);
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

int16_t RoundToInt16(double value) {
  if (std::isnan(value) || value < -32768.5 || value > 32767.5) {
    throw Failure(FailureKind::Overflow);
  }
  double floor = std::floor(value);
  double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1;
  if (rounded > INT16_MAX) throw Failure(FailureKind::Overflow);
  return static_cast<int16_t>(rounded);
}

}  // namespace torvane
