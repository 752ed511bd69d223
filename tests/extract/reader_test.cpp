#include "extract/reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/failure_of.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;
using Rows = std::vector<std::pair<std::string, std::string>>;

// Reads data files written into a temporary folder; every row is in range, so a valley search
// over rows whose Y texts count 1, 2, 3... would choose the first. The peak search used here
// keeps the last in-range row with the largest Y value.
class ReaderTest : public ::testing::Test {
 protected:
  FileResult Read(const std::string& content, const std::string& headings = "0",
                  NumberStyle style = {}) {
    RangeSearch search = FindMax(-1e300, 1e300);
    return ReadDataFile(folder.Write("1.txt", content), "1.txt", headings, &search, style, buffer);
  }
  // The chosen row as "X|Y", or "-" when none was in range.
  std::string Chosen(const std::string& content, const std::string& headings = "0",
                     NumberStyle style = {}) {
    FileResult result = Read(content, headings, style);
    return result.found ? result.row.x + "|" + result.row.y : "-";
  }
  Failure ReadFailure(const std::string& content, const std::string& headings = "0") {
    return FailureOf([&] { Read(content, headings); });
  }
  // What `search` chooses among rows of (X text, Y text); a lone "-" stands for a line without
  // a delimiter. The chosen row as X, a tab and Y, or the empty text.
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

TEST_F(ReaderTest, RowsSplitAtTheFirstCharacterOutsideBangToZ) {
  // Tab, pipe, tilde, brace, code 127, double-byte characters (one with an ASCII trail byte),
  // a lone high byte and a lead byte before a byte that cannot trail it split; the characters
  // from "!" to "z" do not.
  for (std::string between : {"\t", "|", "~", "{", "\177", "\241\241", "\201@", "\200", "\201"}) {
    EXPECT_EQ(Chosen("12.5" + between + "0.0371\r\n"), "12.5|0.0371") << between;
  }
  for (std::string between : {",", ";", "!", "z", "E+"}) {
    FileResult result = Read("12.5" + between + "0.0371\r\n");
    EXPECT_FALSE(result.found) << between;
    EXPECT_EQ(result.rows, 1);
    EXPECT_EQ(result.rows_with_texts, 0);
  }
  EXPECT_EQ(Chosen("12.5  0.0371 \r\n"), "12.5| 0.0371 ") << "blanks stay in Y";
  EXPECT_EQ(Chosen(" 12.5\t3\r\n"), "|12.5\t3") << "a leading blank";
  EXPECT_EQ(Chosen("1\t2\t3\r\n"), "1|2\t3") << "three columns";
  EXPECT_EQ(Chosen("12.5\201\r\n"), "12.5|") << "a lead byte at the end";
  EXPECT_EQ(Chosen("12.5\201"), "12.5|") << "a lead byte at the end of the file";
}

TEST_F(ReaderTest, ValuesAreTheLenientValuesOfTheTexts) {
  FileResult result = Read("1\t2\t3\r\n");
  EXPECT_EQ(result.row.x_value, 1);
  EXPECT_EQ(result.row.y_value, 23) << "blanks inside a number are skipped";
  result = Read("6.9535E2\t12.935E0\r\n");
  EXPECT_EQ(result.row.x_value, 695.35);
  EXPECT_EQ(result.row.y_value, 12.935);
}

TEST_F(ReaderTest, DecimalCommaFilesSplitAtSemicolonsToo) {
  EXPECT_EQ(Chosen("1,5;2,5\r\n"), "-") << "no delimiter without the option";
  FileResult result = Read("1,5;2,5\r\n", "0", {true});
  EXPECT_EQ(result.row.x, "1,5");
  EXPECT_EQ(result.row.y, "2,5");
  EXPECT_EQ(result.row.x_value, 1.5);
  result = Read("833,94\t23,432\r\n", "0", {true});
  EXPECT_EQ(result.row.y_value, 23.432);
}

TEST_F(ReaderTest, LineEndsAndLineNumbers) {
  // CR LF, lone CR and lone LF each end a line; LF CR is two line ends.
  FileResult result = Read("1\t2\r\r\n3\t4\n\r5\t6");
  EXPECT_EQ(result.rows, 5);
  EXPECT_EQ(result.rows_with_texts, 3);
  EXPECT_EQ(result.row.line, 5);
  EXPECT_EQ(Read("").rows, 0);
  EXPECT_EQ(Read("\r\n").rows, 1) << "an empty line is a row";
}

TEST_F(ReaderTest, AByteOrderMarkIsNotPartOfTheFirstLine) {
  FileResult result = Read(
      "\xEF\xBB\xBF"
      "5\t9\r\n1\t2\r\n");
  EXPECT_EQ(result.row.x, "5") << "the peak in the first row is found";
  EXPECT_EQ(result.row.line, 1);
  EXPECT_EQ(Chosen("\xEF\xBB\xBFheading\r\n5\t9\r\n", "1"), "5|9");
}

TEST_F(ReaderTest, HeadingCountSkipsLines) {
  const std::string three = "a\t1\r\nc\t2\r\ne\t3\r\n";
  EXPECT_EQ(Read(three, "").rows, 3) << "empty means 0";
  EXPECT_EQ(Read(three, "-2").rows, 3) << "negative skips nothing";
  EXPECT_EQ(Read(three, "1.5").rows, 1) << "1.5 rounds to 2";
  EXPECT_EQ(Read(three, "1").row.line, 3) << "line numbers count the heading";
  EXPECT_EQ(Read(three, "3").rows, 0) << "exactly all lines";
  EXPECT_EQ(Read("h\r\nh", "2").rows, 0) << "a last line without line end counts";

  Failure short_file = ReadFailure(three, "4");
  EXPECT_EQ(short_file.kind(), FailureKind::InputPastEndOfFile);
  EXPECT_EQ(DescribeFailure(short_file), "文件只有 3 行，不够忽略前 4 行\n文件：1.txt\n行号：4");
  EXPECT_EQ(ReadFailure(three, "32767.5").kind(), FailureKind::Overflow);
}

TEST_F(ReaderTest, ReadsUpTo32767RowsAndFailsOnTheNext) {
  std::string content = "h\r\n";
  for (int i = 1; i <= 32767; ++i) content += std::to_string(i) + "\t1\r\n";
  EXPECT_EQ(Read(content, "1").rows, 32767);
  EXPECT_EQ(Read(content, "1").row.x, "32767");

  Failure failure = ReadFailure(content + "\r\n", "1");
  EXPECT_EQ(failure.kind(), FailureKind::Overflow);
  EXPECT_EQ(failure.line(), 32769) << "line number in the file, heading included";
}

TEST_F(ReaderTest, LinesUpTo32767CharactersAreScannedToTheirEnd) {
  std::string longest(32766, 'x');
  EXPECT_EQ(Chosen(longest + "\t"), longest + "|");
  // Double-byte characters count once: 32767 of them take 65534 bytes and are still allowed.
  std::string wide;
  for (int i = 0; i < 32767; ++i) wide += "\xb0\xa1";
  EXPECT_EQ(Read("1\t2\r\n" + wide + "\r\n").rows, 2);

  Failure failure = ReadFailure("1\t2\r\n" + wide + "\xb0\xa1\r\n");
  EXPECT_EQ(failure.kind(), FailureKind::Overflow);
  EXPECT_EQ(failure.line(), 2);
  EXPECT_EQ(ReadFailure(std::string(32768, '7')).kind(), FailureKind::Overflow);
}

TEST_F(ReaderTest, TheLongestLineIsTakenWhenItsCrIsTheLastByteOfARead) {
  std::string wide;
  for (int i = 0; i < 32767; ++i) wide += "\xb0\xa1";
  // The first read fills the buffer; the heading line puts the CR on its last byte, then next
  // to it.
  for (std::size_t shift : {0, 1}) {
    const std::string heading(ReadBuffer::kCapacity - wide.size() - 2 - shift, 'h');
    FileResult result = Read(heading + "\n" + wide + "\r\n5\t9\r\n", "1");
    EXPECT_EQ(result.rows, 2) << shift;
    EXPECT_EQ(result.row.line, 3) << shift;
  }
}

TEST_F(ReaderTest, ALineWithoutEndIsRefusedWithoutReadingTheRest) {
  // Three blocks without a line break: the overflow comes from the first one.
  Failure failure = ReadFailure("1\t2\n" + std::string(3 * ReadBuffer::kBlock, 'x'));
  EXPECT_EQ(failure.kind(), FailureKind::Overflow);
  EXPECT_EQ(failure.line(), 2);
  // Nor is its number's text: the X text below never ends either.
  EXPECT_EQ(ReadFailure(std::string(3 * ReadBuffer::kBlock, '7')).line(), 1);
  // A heading line has no length limit: it is passed over, never held.
  EXPECT_EQ(Chosen(std::string(3 * ReadBuffer::kBlock, 'h') + "\n5\t9", "1"), "5|9");
}

TEST_F(ReaderTest, LinesAndLineEndsAcrossBlocks) {
  // The first read fills the buffer: let its end fall on every byte of the first rows, a CR
  // LF and a double-byte delimiter among them.
  for (std::size_t heading = ReadBuffer::kCapacity - 14; heading <= ReadBuffer::kCapacity;
       ++heading) {
    FileResult result = Read(std::string(heading, 'h') +
                                 "\r\n1\t2\r\n7\xb0\xa1"
                                 "9\r\n3\t4\n",
                             "1");
    EXPECT_EQ(result.rows, 3) << heading;
    EXPECT_EQ(result.row.x + "|" + result.row.y, "7|9") << heading;
    EXPECT_EQ(result.row.line, 3) << heading;
  }
  // The chosen row lies in the first block and is kept when the buffer moves on.
  std::string rows = "5\tbest\r\n";
  while (rows.size() < 3 * ReadBuffer::kBlock) rows += "1\t-1" + std::string(100, ' ') + "\r\n";
  EXPECT_EQ(Chosen(rows), "5|best");
}

TEST_F(ReaderTest, SearchRangeEndsAreIncluded) {
  Rows rows = {{"1", "10"}, {"2", "20"}, {"3", "30"}, {"4", "5"}};
  EXPECT_EQ(Find(FindMax(1, 2), rows), "2\t20");
  EXPECT_EQ(Find(FindMin(2, 3), rows), "2\t20");
  EXPECT_EQ(Find(FindMax(3, 3), rows), "3\t30") << "a one-point range";
  EXPECT_EQ(Find(FindMax(3, 2), rows), "") << "start above end";
  EXPECT_EQ(Find(FindMax(2.5, 2.9), rows), "") << "no row in range";
  EXPECT_EQ(Find(FindMin(-1e300, 1e300), rows), "4\t5");
  EXPECT_EQ(Find(FindMax(0, 10), {}), "");
}

TEST_F(ReaderTest, SearchTheLaterRowWinsATieAndSignsDoNotMatter) {
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

TEST_F(ReaderTest, SearchGivesTheTextsBackExactlyAsRead) {
  Rows rows = {{"", " 7"}, {"x", "8 "}, {"6.9535E2", "12.935E0"}, {"1,5", "2,7"}};
  EXPECT_EQ(Find(FindMax(0, 0), rows), "x\t8 ") << "X texts that are not numbers have the value 0";
  EXPECT_EQ(Find(FindMin(0, 0), rows), "\t 7");
  EXPECT_EQ(Find(FindMax(695.35, 695.35), rows), "6.9535E2\t12.935E0");
  EXPECT_EQ(Find(FindMax(1, 1), rows), "1,5\t2,7") << "a decimal comma ends the number";
}

TEST_F(ReaderTest, SearchNeverChoosesARowWithoutTexts) {
  Rows rows = {{"-", ""}, {"-5", "1"}, {"-", ""}};
  EXPECT_EQ(Find(FindMax(-1, 1), rows), "") << "their value would be 0, inside the range";
  EXPECT_EQ(Find(FindMin(-9, 1), rows), "-5\t1");
}

}  // namespace
}  // namespace torvane
