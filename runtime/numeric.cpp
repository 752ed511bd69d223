#include "runtime/numeric.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace torvane {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The parts of a decimal number as scanned, before conversion.
struct Scanned {
  bool negative = false;
  std::string digits;      // mantissa digits, without the point
  long long point = 0;     // digits before the point
  long long exponent = 0;  // saturated well beyond the double range
  bool any_digit = false;  // at least one mantissa digit
};

void AddExponentDigit(long long& exponent, char c) {
  constexpr long long kSaturate = 1'000'000'000LL;
  if (exponent < kSaturate) exponent = exponent * 10 + (c - '0');
}

// Converts a scanned number with a correctly rounded conversion; magnitudes beyond the double
// range give infinity, tiny ones zero.
double Convert(const Scanned& number) {
  // Strip leading zeros so that the decimal exponent of the first significant digit is known.
  std::size_t first = number.digits.find_first_not_of('0');
  if (first == std::string::npos) return number.negative ? -0.0 : 0.0;
  std::size_t last = number.digits.find_last_not_of('0');
  std::string_view significant(number.digits.data() + first, last - first + 1);
  // Value = 0.significant * 10^(scale).
  long long scale = number.point - static_cast<long long>(first) + number.exponent;
  double magnitude;
  if (scale > 400) {
    magnitude = std::numeric_limits<double>::infinity();
  } else if (scale < -400) {
    magnitude = 0.0;
  } else {
    std::string text = "0.";
    text.append(significant);
    text += 'e';
    text += std::to_string(scale);
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    (void)end;
    if (error == std::errc::result_out_of_range) {
      magnitude = scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
  }
  return number.negative ? -magnitude : magnitude;
}

bool IsLenientBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// The common shape of a data text: leading blanks, then an unbroken number (optional sign,
// digits with at most one ".", optional exponent) that no blank follows, converted in place.
// False when the text needs the full scan: no digit, a blank inside or right after the number,
// or a magnitude beyond the double range.
bool ConvertUnbroken(std::string_view text, double& value) {
  std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && IsLenientBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::size_t start = i;
  // Up to 15 digits make an exact integer mantissa below 2^53.
  uint64_t mantissa = 0;
  int digits = 0;
  int fraction_digits = 0;
  for (; i < n && IsDigit(text[i]); ++i, ++digits) mantissa = mantissa * 10 + (text[i] - '0');
  if (i < n && text[i] == '.') {
    for (++i; i < n && IsDigit(text[i]); ++i, ++digits, ++fraction_digits) {
      mantissa = mantissa * 10 + (text[i] - '0');
    }
  }
  if (digits == 0) return false;
  std::size_t end = i;
  int exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negative_exponent = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) negative_exponent = text[j++] == '-';
    if (j < n && IsDigit(text[j])) {
      for (; j < n && IsDigit(text[j]); ++j) {
        if (exponent < 1000) exponent = exponent * 10 + (text[j] - '0');
      }
      if (negative_exponent) exponent = -exponent;
      end = j;
    } else if (j < n && IsLenientBlank(text[j])) {
      return false;
    }
  }
  if (end < n && IsLenientBlank(text[end])) return false;

  // An exact mantissa times or divided by an exact power of ten rounds once, correctly.
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  int scale = exponent - fraction_digits;
  if (digits <= 15 && scale >= -22 && scale <= 22) {
    double m = static_cast<double>(mantissa);
    value = scale < 0 ? m / kPowers[-scale] : m * kPowers[scale];
  } else {
    auto [stop, error] = std::from_chars(text.data() + start, text.data() + end, value);
    if (error != std::errc() || stop != text.data() + end) return false;
  }
  if (negative) value = -value;
  return true;
}

// Scans an optional sign, digits with at most one ".", and an optional exponent (E or e,
// optional sign, digits) from `text[i]` on, passing over the characters `inner` accepts anywhere
// inside. `i` ends past the last character taken; `exponent_without_digits` tells that an
// exponent marker was not followed by digits (the exponent is then 0).
template <typename Inner>
Scanned ScanNumber(std::string_view text, std::size_t& i, Inner inner,
                   bool& exponent_without_digits) {
  auto skip = [&] {
    while (i < text.size() && inner(text[i])) ++i;
  };
  auto sign = [&] {
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    return negative;
  };
  Scanned number;
  number.negative = sign();
  bool seen_point = false;
  for (skip(); i < text.size(); skip()) {
    char c = text[i];
    if (IsDigit(c)) {
      number.digits += c;
      if (!seen_point) ++number.point;
      number.any_digit = true;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
    ++i;
  }
  exponent_without_digits = false;
  if (number.any_digit && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    skip();
    bool negative_exponent = sign();
    skip();
    exponent_without_digits = i >= text.size() || !IsDigit(text[i]);
    long long exponent = 0;
    for (; i < text.size() && IsDigit(text[i]); skip()) AddExponentDigit(exponent, text[i++]);
    number.exponent = negative_exponent ? -exponent : exponent;
  }
  return number;
}

}  // namespace

double LenientValue(std::string_view text) {
  double value;
  if (ConvertUnbroken(text, value)) return value;
  std::size_t i = 0;
  while (i < text.size() && IsLenientBlank(text[i])) ++i;
  bool ignored;
  Scanned number = ScanNumber(text, i, IsLenientBlank, ignored);
  return number.any_digit ? Convert(number) : 0.0;
}

double StrictValue(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t i = 0;
  while (i < text.size() && blank(text[i])) ++i;
  bool exponent_without_digits;
  Scanned number = ScanNumber(
      text, i, [](char) { return false; }, exponent_without_digits);
  while (i < text.size() && blank(text[i])) ++i;
  if (!number.any_digit || exponent_without_digits || i != text.size()) {
    throw Failure(FailureKind::TypeMismatch, "“" + std::string(text) + "”不是数字");
  }
  return Convert(number);
}

Int16 RoundToInt16(double value) {
  if (std::isnan(value) || value < -32768.5 || value > 32767.5)
    throw Failure(FailureKind::Overflow);
  double floor = std::floor(value);
  double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1;
  return Int16::From(static_cast<long long>(rounded));
}

}  // namespace torvane
