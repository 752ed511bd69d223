#include "runtime/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "runtime/number_scan.h"
#include "support/failure_of.h"

namespace torvane {
namespace {

// Skipping blanks and stopping at the first character that cannot continue the number;
// correctly rounded; beyond the range infinity or zero, never a failure.
TEST(LenientValue, ReadsTheNumberAtTheHead) {
  const double inf = std::numeric_limits<double>::infinity();
  // clang-format off
  const std::pair<const char*, double> cases[] = {
      {"12.5", 12.5}, {"", 0}, {"abc", 0}, {"1 2", 12}, {" \t\n-3.5", -3.5}, {"- 7", -7},
      {"+.5", 0.5}, {"5.", 5}, {".", 0}, {"-", 0}, {"1.2.3", 1.2}, {"178,23", 178}, {"1;2", 1},
      {"1e3", 1000}, {"1E-2", 0.01}, {"1e 2", 100}, {"1e- 2", 0.01}, {"1e", 1}, {"1e+", 1},
      {"1ex", 1}, {"2x5", 2}, {"0x1A", 0}, {"&H10", 0}, {"010", 10}, {"6.9535E2", 695.35},
      {"10.txt", 10}, {"1e5.txt", 100000}, {"inf", 0}, {"nan", 0}, {"1/2", 1}, {"\326\3205", 0},
      {"0.5\t3", 0.53}, {"2.2250738585072011e-308", 2.2250738585072011e-308},
      {"9007199254740993", 9007199254740992.0}, {"000000000000000000000000000001.5", 1.5},
      {"0.000000000000000000000000000015e29", 1.5}, {"1e400", inf}, {"-1e400", -inf},
      {"1e-400", 0.0}, {"1e99999999999999999999999", inf}, {"0e99999", 0.0},
      {"1.7976931348623157e308", 1.7976931348623157e308}};
  // clang-format on
  for (const auto& [text, expected] : cases) EXPECT_EQ(LenientValue(text), expected) << text;
}

TEST(LenientValue, ADecimalCommaIsThePointOnlyWhenAsked) {
  EXPECT_EQ(LenientValue("178,23"), 178);
  EXPECT_EQ(LenientValue("178,23", {true}), 178.23);
  EXPECT_EQ(LenientValue("-0,5e1", {true}), -5);
  EXPECT_EQ(LenientValue("1.5", {true}), 1.5) << "a point still serves";
  EXPECT_EQ(LenientValue("1,5,7", {true}), 1.5) << "one point at most";
}

// The X text of a row holds no blank; its value is the number at its head, read without
// skipping any.
TEST(ReadNumber, AnXTextStopsAtTheFirstCharacterThatCannotContinueTheNumber) {
  const std::pair<std::string, std::pair<double, std::size_t>> cases[] = {
      {"12.5", {12.5, 4}}, {"1e3x", {1000, 3}},      {"1e", {1, 1}}, {"1e+", {1, 1}},
      {"-.5;", {-0.5, 3}}, {"abc", {0, 0}},          {"-", {0, 0}},  {"79.84985,", {79.84985, 8}},
      {"1 2", {1, 1}},     {"6.9535E2", {695.35, 8}}};
  for (const auto& [text, expected] : cases) {
    double value = -1;
    const char* end = number::ReadNumber<number::Blanks::kNone>(
        text.data(), text.data() + text.size(), {}, value);
    EXPECT_EQ(value, expected.first) << text;
    EXPECT_EQ(static_cast<std::size_t>(end - text.data()), expected.second) << text;
  }
}

TEST(IsWholeNumber, BlanksOnlyAroundTheNumber) {
  for (const char* text : {"1", " 96   ", "-1.5e-3", "\t.5"})
    EXPECT_TRUE(IsWholeNumber(text)) << text;
  for (const char* text : {"", "abc", "2\t3", "1e", "178,23", "1/2", "1 2"}) {
    EXPECT_FALSE(IsWholeNumber(text)) << text;
  }
  EXPECT_TRUE(IsWholeNumber("178,23", {true}));
}

TEST(LenientValue, AgreesWithStrtodOnDataShapedNumbers) {
  // Short mantissas and exponents near the ends of the exactly representable powers of ten.
  std::mt19937_64 random(2024);
  for (int i = 0; i < 200000; ++i) {
    std::string digits = std::to_string(random() % 10'000'000'000'000'000ULL >> (random() % 64));
    std::size_t point = random() % (digits.size() + 1);
    std::string text = random() % 2 ? "-" : "";
    text.append(digits, 0, point).append(".").append(digits, point);
    if (random() % 2) text.append("e").append(std::to_string(static_cast<int>(random() % 61) - 30));
    ASSERT_EQ(LenientValue(text), std::strtod(text.c_str(), nullptr)) << text;
  }
}

TEST(StrictValue, AcceptsPlainDecimalNumbers) {
  EXPECT_EQ(StrictValue("400"), 400);
  EXPECT_EQ(StrictValue(" \t-1.5 "), -1.5);
  EXPECT_EQ(StrictValue(".5"), 0.5);
  EXPECT_EQ(StrictValue("5."), 5);
  EXPECT_EQ(StrictValue("+2e3"), 2000);
  EXPECT_EQ(StrictValue("1E-1"), 0.1);
}

TEST(StrictValue, RefusesEverythingElseAsTypeMismatch) {
  for (const char* text : {"", " ", ".", "-", "1/2", "inf", "nan", "1e", "1e+", "1 2", "1.2.3",
                           "1,5", "0x10", "abc", "1a", "e5", "1\n"}) {
    EXPECT_EQ(testing::FailureOf([&] { StrictValue(text); }).kind(), FailureKind::TypeMismatch)
        << text;
  }
}

TEST(RoundToInt16, HalvesGoToTheEvenNeighbourAndOverflowOutsideSixteenBits) {
  const std::pair<double, int> rounded[] = {{2.5, 2},         {3.5, 4},          {-2.5, -2},
                                            {-3.5, -4},       {2.4999, 2},       {0.5, 0},
                                            {32767.4, 32767}, {-32768.5, -32768}};
  for (const auto& [value, expected] : rounded) {
    EXPECT_EQ(RoundToInt16(value), expected) << value;
  }
  for (double value :
       {32767.5, 32768.0, -32768.51, -32769.0, 1e300, std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(testing::FailureOf([&] { RoundToInt16(value); }).kind(), FailureKind::Overflow)
        << value;
  }
}

}  // namespace
}  // namespace torvane
