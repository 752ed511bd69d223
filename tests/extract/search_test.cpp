#include "extract/search.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/numeric.h"

namespace torvane {
namespace {

// Rows from (X text, Y text) pairs; a lone "-" stands for a line without a delimiter.
RowTable Table(const std::vector<std::pair<std::string, std::string>>& texts) {
  RowTable rows;
  for (const auto& [x, y] : texts) {
    if (x == "-") {
      rows.AppendUnsplit();
      continue;
    }
    std::string line = x + "\t" + y;
    rows.AppendSplit(line, x.size(), y.size(), LenientValue(x), LenientValue(y));
  }
  return rows;
}

TEST(SearchTest, RangeEndsAreIncluded) {
  RowTable rows = Table({{"1", "10"}, {"2", "20"}, {"3", "30"}, {"4", "5"}});
  EXPECT_EQ(FindMax(1, 2, rows), "2\t20");
  EXPECT_EQ(FindMin(2, 3, rows), "2\t20");
  EXPECT_EQ(FindMax(3, 3, rows), "3\t30") << "a one-point range";
  EXPECT_EQ(FindMax(3, 2, rows), "") << "start above end";
  EXPECT_EQ(FindMax(2.5, 2.9, rows), "") << "no row in range";
  EXPECT_EQ(FindMin(-1e300, 1e300, rows), "4\t5");
  EXPECT_EQ(FindMax(0, 10, RowTable()), "");
}

TEST(SearchTest, TheLaterRowWinsATieAndSignsDoNotMatter) {
  RowTable rows = Table({{"1", "5"}, {"2", "1.0"}, {"3", "1"}, {"4", "5.0"}, {"5", "9"}});
  EXPECT_EQ(FindMax(1, 4, rows), "4\t5.0");
  EXPECT_EQ(FindMin(1, 4, rows), "3\t1") << "equal values, the later text unchanged";
  RowTable zeros = Table({{"1", "0"}, {"2", "-0"}});
  EXPECT_EQ(FindMax(0, 9, zeros), "2\t-0");
  EXPECT_EQ(FindMin(0, 9, zeros), "2\t-0");
  RowTable negative = Table({{"1", "-3"}, {"2", "-1"}, {"3", "-2"}});
  EXPECT_EQ(FindMax(1, 3, negative), "2\t-1");
  EXPECT_EQ(FindMin(1, 3, negative), "1\t-3");
}

TEST(SearchTest, TextsComeBackExactlyAsRead) {
  RowTable rows = Table({{"", " 7"}, {"x", "8 "}, {"6.9535E2", "12.935E0"}, {"1,5", "2,7"}});
  EXPECT_EQ(FindMax(0, 0, rows), "x\t8 ") << "X texts that are not numbers have the value 0";
  EXPECT_EQ(FindMin(0, 0, rows), "\t 7");
  EXPECT_EQ(FindMax(695.35, 695.35, rows), "6.9535E2\t12.935E0");
  EXPECT_EQ(FindMax(1, 1, rows), "1,5\t2,7") << "a decimal comma ends the number";
}

TEST(SearchTest, RowsWithoutTextsAreNeverChosen) {
  RowTable rows = Table({{"-", ""}, {"-5", "1"}, {"-", ""}});
  EXPECT_EQ(FindMax(-1, 1, rows), "") << "their value would be 0, inside the range";
  EXPECT_EQ(FindMin(-9, 1, rows), "-5\t1");
}

}  // namespace
}  // namespace torvane
