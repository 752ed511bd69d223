#pragma once

#include <cstdint>
#include <string_view>

namespace torvane {

/// How the numbers of a data file are written. The decimal point is "."; with `decimal_comma`
/// a "," serves as well (at most one point in a number either way).
struct NumberStyle {
  bool decimal_comma = false;
};

/// The number at the head of `text`: optional sign, digits with at most one point, optional
/// exponent (E or e, optional sign, digits). Spaces, tabs and line feeds are skipped anywhere
/// inside it. It stops at the first other character; a text that does not begin with a number
/// gives 0. An exponent marker without digits is ignored. Values beyond the double range give
/// plus or minus infinity, tiny ones 0; the conversion is correctly rounded. Never fails.
double LenientValue(std::string_view text, NumberStyle style = {});

/// Whether the whole of `text`, spaces and tabs around it allowed, is one number as a row's X
/// text is read, without blanks inside it (an exponent needs its digits).
bool IsWholeNumber(std::string_view text, NumberStyle style = {});

/// The whole of `text` as a number: optional spaces and tabs, optional sign, digits with at most
/// one "." and at least one digit, optional exponent (E or e, optional sign, at least one
/// digit), optional spaces and tabs. "." is the decimal point whatever the locale. Anything
/// else, the empty text included, raises TypeMismatch. Out-of-range magnitudes behave as in
/// LenientValue.
double StrictValue(std::string_view text);

/// Nearest whole number, a half going to the even neighbour; Overflow outside -32768..32767.
int16_t RoundToInt16(double value);

}  // namespace torvane
