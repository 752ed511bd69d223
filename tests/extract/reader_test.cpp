#include "extract/reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/failure_of.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;
using Rows = std::vector<std::string>;

class ReaderTest : public ::testing::Test {
 protected:
  // The rows read from a file holding `content`: "X|Y", or "-" for a row without texts.
  Rows Read(const std::string& content, const std::string& headings = "0") {
    ReadDataFile(folder.Write("1.txt", content), "1.txt", headings, rows);
    Rows out;
    for (long r = 1; r <= rows.RowCount().value(); ++r) {
      out.push_back(rows.HasTexts(r) ? std::string(rows.XData(r)) + "|" + std::string(rows.YData(r))
                                     : "-");
    }
    return out;
  }
  Failure ReadFailure(const std::string& content, const std::string& headings = "0") {
    return FailureOf([&] { Read(content, headings); });
  }

  TempFolder folder;
  RowTable rows;
};

TEST_F(ReaderTest, RowsSplitAtTheFirstCharacterOutsideBangToZ) {
  // Tab, pipe, tilde, brace, code 127, double-byte characters (one with an ASCII trail byte),
  // a lone high byte and a lead byte before a byte that cannot trail it split; the characters
  // from "!" to "z" do not.
  for (std::string between : {"\t", "|", "~", "{", "\177", "\241\241", "\201@", "\200", "\201"}) {
    EXPECT_EQ(Read("12.5" + between + "0.0371\r\n"), Rows{"12.5|0.0371"}) << between;
  }
  for (std::string between : {",", ";", "!", "z", "E+"}) {
    EXPECT_EQ(Read("12.5" + between + "0.0371\r\n"), Rows{"-"}) << between;
  }
  EXPECT_EQ(Read("12.5  0.0371\r\n"), Rows{"12.5| 0.0371"}) << "the second space stays in Y";
  EXPECT_EQ(Read(" 12.5\t3\r\n"), Rows{"|12.5\t3"}) << "a leading blank";
  EXPECT_EQ(Read("1\t2\t3\r\n"), Rows{"1|2\t3"}) << "three columns";
  EXPECT_EQ(Read("12.5\201\r\n"), Rows{"12.5|"}) << "a lead byte at the end";
}

TEST_F(ReaderTest, ValuesAreTheLenientValuesOfTheTexts) {
  Read("1\t2\t3\r\n6.9535E2\t12.935E0\r\n");
  EXPECT_EQ(rows.XValue(1), 1);
  EXPECT_EQ(rows.YValue(1), 23) << "blanks inside a number are skipped";
  EXPECT_EQ(rows.XValue(2), 695.35);
  EXPECT_EQ(rows.YValue(2), 12.935);
}

TEST_F(ReaderTest, ARowWithoutDelimiterKeepsItsIndexAndHoldsNoTexts) {
  EXPECT_EQ(Read("1\t2\r\n\r\nnodelimiter\r\n3\t4\r\n"), (Rows{"1|2", "-", "-", "3|4"}));
  // Nothing of an earlier file shows through a later file's rows.
  EXPECT_EQ(Read("\r\n"), Rows{"-"});
  EXPECT_THROW(rows.XData(2), Failure);
}

TEST_F(ReaderTest, HeadingCountSkipsLines) {
  const std::string three = "a\tb\r\nc\td\r\ne\tf\r\n";
  EXPECT_EQ(Read(three, "0").size(), 3u);
  EXPECT_EQ(Read(three, "").size(), 3u) << "empty means 0";
  EXPECT_EQ(Read(three, "-2").size(), 3u) << "negative skips nothing";
  EXPECT_EQ(Read(three, "1"), (Rows{"c|d", "e|f"}));
  EXPECT_TRUE(Read(three, "3").empty()) << "exactly all lines";

  Failure short_file = ReadFailure(three, "4");
  EXPECT_EQ(short_file.kind(), FailureKind::InputPastEndOfFile);
  EXPECT_EQ(short_file.file(), "1.txt");
  EXPECT_EQ(short_file.line(), 4);
  EXPECT_EQ(ReadFailure(three, "32767.5").kind(), FailureKind::Overflow);
}

// Every line end is read by the input file; here, what rows they give.
TEST_F(ReaderTest, LineEndsGiveRowsAndAnEmptyFileNone) {
  EXPECT_EQ(Read("1\t2\r\r\n3\t4\n\r5\t6"), (Rows{"1|2", "-", "3|4", "-", "5|6"}));
  EXPECT_TRUE(Read("").empty());
}

TEST_F(ReaderTest, ReadsUpTo32767RowsAndFailsOnTheNext) {
  std::string content = "h\r\n";
  for (int i = 1; i <= 32767; ++i) content += std::to_string(i) + "\t1\r\n";
  EXPECT_EQ(Read(content, "1").size(), 32767u);
  EXPECT_EQ(rows.XData(32767), "32767");

  Failure failure = ReadFailure(content + "\r\n", "1");
  EXPECT_EQ(failure.kind(), FailureKind::Overflow);
  EXPECT_EQ(failure.line(), 32769) << "line number in the file, heading included";
}

TEST_F(ReaderTest, LinesUpTo32767CharactersAreScannedToTheirEnd) {
  std::string longest(32766, '7');
  EXPECT_EQ(Read(longest + "\t"), Rows{longest + "|"});
  // Double-byte characters count once: 32767 of them take 65534 bytes and are still allowed.
  std::string wide;
  for (int i = 0; i < 32767; ++i) wide += "\xb0\xa1";
  EXPECT_EQ(Read("1\t2\r\n" + wide + "\r\n"), (Rows{"1|2", "|" + wide.substr(2)}));

  Failure failure = ReadFailure("1\t2\r\n" + wide + "\xb0\xa1\r\n");
  EXPECT_EQ(failure.kind(), FailureKind::Overflow);
  EXPECT_EQ(failure.line(), 2);
  EXPECT_EQ(ReadFailure(std::string(32768, '7')).kind(), FailureKind::Overflow);
}

}  // namespace
}  // namespace torvane
