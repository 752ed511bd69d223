#include "runtime/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "support/failure_of.h"

namespace torvane {
namespace {

struct ValueRow {
  const char* text;
  double expected;
};

class LenientValueTest : public ::testing::TestWithParam<ValueRow> {};

TEST_P(LenientValueTest, ReadsTheNumberAtTheHead) {
  EXPECT_EQ(LenientValue(GetParam().text), GetParam().expected) << "text: " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    SkippingAndStopping, LenientValueTest,
    ::testing::Values(ValueRow{"12.5", 12.5}, ValueRow{"", 0}, ValueRow{"abc", 0},
                      ValueRow{"1 2", 12}, ValueRow{" \t\n-3.5", -3.5}, ValueRow{"- 7", -7},
                      ValueRow{"+.5", 0.5}, ValueRow{"5.", 5}, ValueRow{".", 0}, ValueRow{"-", 0},
                      ValueRow{"1.2.3", 1.2}, ValueRow{"178,23", 178}, ValueRow{"1;2", 1},
                      ValueRow{"1e3", 1000}, ValueRow{"1E-2", 0.01}, ValueRow{"1e 2", 100},
                      ValueRow{"1e- 2", 0.01}, ValueRow{"1e", 1}, ValueRow{"1e+", 1},
                      ValueRow{"1ex", 1}, ValueRow{"2x5", 2}, ValueRow{"0x1A", 0},
                      ValueRow{"&H10", 0}, ValueRow{"010", 10}, ValueRow{"6.9535E2", 695.35},
                      ValueRow{"10.txt", 10}, ValueRow{"9.txt", 9}, ValueRow{"1e5.txt", 100000},
                      ValueRow{"inf", 0}, ValueRow{"nan", 0}, ValueRow{"1/2", 1},
                      ValueRow{"\326\3205", 0}, ValueRow{"0.5\t3", 0.53}),
    [](const auto& info) { return "Row" + std::to_string(info.index); });

TEST(LenientValue, IsCorrectlyRounded) {
  EXPECT_EQ(LenientValue("2.2250738585072011e-308"), 2.2250738585072011e-308);
  EXPECT_EQ(LenientValue("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(LenientValue("000000000000000000000000000001.5"), 1.5);
  EXPECT_EQ(LenientValue("0.000000000000000000000000000015e29"), 1.5);
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

TEST(LenientValue, OutOfRangeGivesInfinityOrZeroNeverFails) {
  EXPECT_EQ(LenientValue("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LenientValue("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(LenientValue("1e-400"), 0.0);
  EXPECT_EQ(LenientValue("1e99999999999999999999999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LenientValue("0e99999"), 0.0);
  EXPECT_EQ(LenientValue("1.7976931348623157e308"), 1.7976931348623157e308);
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
    EXPECT_EQ(RoundToInt16(value).value(), expected) << value;
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
