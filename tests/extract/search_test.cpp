#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "extract/reader.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;
using Rows = std::vector<std::pair<std::string, std::string>>;

// Searches a file of (X text, Y text) rows; a lone "-" stands for a line without a delimiter.
class SearchTest : public ::testing::Test {
 protected:
  std::string Find(RangeSearch search, const Rows& rows) {
    std::string content;
    for (const auto& [x, y] : rows) content += (x == "-" ? x : x + "\t" + y) + "\r\n";
    FileResult result =
        ReadDataFile(folder.Write("1.txt", content), "1.txt", "0", &search, {}, buffer);
    return result.found ? result.row.x + "\t" + result.row.y : "";
  }
  TempFolder folder;
  ReadBuffer buffer;
};

TEST_F(SearchTest, RangeEndsAreIncluded) {
  Rows rows = {{"1", "10"}, {"2", "20"}, {"3", "30"}, {"4", "5"}};
  EXPECT_EQ(Find(FindMax(1, 2), rows), "2\t20");
  EXPECT_EQ(Find(FindMin(2, 3), rows), "2\t20");
  EXPECT_EQ(Find(FindMax(3, 3), rows), "3\t30") << "a one-point range";
  EXPECT_EQ(Find(FindMax(3, 2), rows), "") << "start above end";
  EXPECT_EQ(Find(FindMax(2.5, 2.9), rows), "") << "no row in range";
  EXPECT_EQ(Find(FindMin(-1e300, 1e300), rows), "4\t5");
  EXPECT_EQ(Find(FindMax(0, 10), {}), "");
}

TEST_F(SearchTest, TheLaterRowWinsATieAndSignsDoNotMatter) {
  Rows rows = {{"1", "5"}, {"2", "1.0"}, {"3", "1"}, {"4", "5.0"}, {"5", "9"}};
  EXPECT_EQ(Find(FindMax(1, 4), rows), "4\t5.0");
  EXPECT_EQ(Find(FindMin(1, 4), rows), "3\t1") << "equal values, the later text unchanged";
  Rows zeros = {{"1", "0"}, {"2", "-0"}};
  EXPECT_EQ(Find(FindMax(0, 9), zeros), "2\t-0");
  EXPECT_EQ(Find(FindMin(0, 9), zeros), "2\t-0");
  Rows negative = {{"1", "-3"}, {"2", "-1"}, {"3", "-2"}};
  EXPECT_EQ(Find(FindMax(1, 3), negative), "2\t-1");
  EXPECT_EQ(Find(FindMin(1, 3), negative), "1\t-3");
}

TEST_F(SearchTest, TextsComeBackExactlyAsRead) {
  Rows rows = {{"", " 7"}, {"x", "8 "}, {"6.9535E2", "12.935E0"}, {"1,5", "2,7"}};
  EXPECT_EQ(Find(FindMax(0, 0), rows), "x\t8 ") << "X texts that are not numbers have the value 0";
  EXPECT_EQ(Find(FindMin(0, 0), rows), "\t 7");
  EXPECT_EQ(Find(FindMax(695.35, 695.35), rows), "6.9535E2\t12.935E0");
  EXPECT_EQ(Find(FindMax(1, 1), rows), "1,5\t2,7") << "a decimal comma ends the number";
}

TEST_F(SearchTest, RowsWithoutTextsAreNeverChosen) {
  Rows rows = {{"-", ""}, {"-5", "1"}, {"-", ""}};
  EXPECT_EQ(Find(FindMax(-1, 1), rows), "") << "their value would be 0, inside the range";
  EXPECT_EQ(Find(FindMin(-9, 1), rows), "-5\t1");
}

}  // namespace
}  // namespace torvane
