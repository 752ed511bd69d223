#include "extract/reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/failure.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;

// A row as read: its texts, or "-" for a row without them.
std::vector<std::string> Rows(const RowTable& rows) {
  std::vector<std::string> out;
  for (long r = 1; r <= rows.RowCount().value(); ++r) {
    out.push_back(rows.HasTexts(r) ? std::string(rows.XData(r)) + "|" + std::string(rows.YData(r))
                                   : "-");
  }
  return out;
}

class ReaderTest : public ::testing::Test {
 protected:
  std::vector<std::string> Read(const std::string& content, const std::string& headings = "0") {
    ReadDataFile(folder.Write("1.txt", content), "1.txt", headings, rows);
    return Rows(rows);
  }
  Failure ReadFailure(const std::string& content, const std::string& headings = "0") {
    try {
      Read(content, headings);
    } catch (const Failure& failure) {
      return failure;
    }
    ADD_FAILURE() << "no failure";
    return Failure(FailureKind::InvalidArgument);
  }

  TempFolder folder;
  RowTable rows;
};

struct SplitCase {
  const char* name;
  std::string line;
  std::string row;  // X|Y, or "-" for no delimiter
};

TEST_F(ReaderTest, RowsSplitAtTheFirstCharacterOutsideBangToZ) {
  const SplitCase cases[] = {
      {"tab", "12.5\t0.0371", "12.5|0.0371"},
      {"two spaces: the second stays in Y", "12.5  0.0371", "12.5| 0.0371"},
      {"trailing space stays in Y", "12.5 0.0371 ", "12.5|0.0371 "},
      {"pipe", "12.5|0.0371", "12.5|0.0371"},
      {"tilde", "12.5~0.0371", "12.5|0.0371"},
      {"brace", "12.5{0.0371", "12.5|0.0371"},
      {"code 127",
       "12.5\x7f"
       "0.0371",
       "12.5|0.0371"},
      {"comma does not split", "12.5,0.0371", "-"},
      {"semicolon does not split", "12.5;0.0371", "-"},
      {"letters and signs do not split", "-1.5E+3!\"#z", "-"},
      {"double-byte character",
       "12.5\xa1\xa1"
       "0.0371",
       "12.5|0.0371"},
      {"double-byte with an ASCII trail byte", "12.5\x81@0.0371", "12.5|0.0371"},
      {"lone high byte",
       "12.5\x80"
       "0.0371",
       "12.5|0.0371"},
      {"lead byte at the end", "12.5\x81", "12.5|"},
      {"leading blank", " 12.5\t3", "|12.5\t3"},
      {"leading tab", "\t12.5", "|12.5"},
      {"three columns", "1\t2\t3", "1|2\t3"},
      {"empty line", "", "-"},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(Read(c.line + "\r\n"), std::vector<std::string>{c.row}) << c.name;
  }
}

TEST_F(ReaderTest, ValuesAreTheLenientValuesOfTheTexts) {
  Read("1\t2\t3\r\n abc\r\n6.9535E2\t12.935E0\r\n");
  EXPECT_EQ(rows.XValue(1), 1);
  EXPECT_EQ(rows.YValue(1), 23) << "blanks inside a number are skipped";
  EXPECT_EQ(rows.XValue(2), 0);
  EXPECT_EQ(rows.YValue(2), 0);
  EXPECT_EQ(rows.XValue(3), 695.35);
  EXPECT_EQ(rows.YValue(3), 12.935);
}

TEST_F(ReaderTest, ARowWithoutDelimiterKeepsItsIndexAndHoldsNoTexts) {
  EXPECT_EQ(Read("1\t2\r\n\r\nnodelimiter\r\n3\t4\r\n"),
            (std::vector<std::string>{"1|2", "-", "-", "3|4"}));
  // Nothing of an earlier file shows through a later file's rows.
  EXPECT_EQ(Read("\r\n"), std::vector<std::string>{"-"});
  EXPECT_TRUE(rows.XData(1).empty());
  EXPECT_THROW(rows.XData(2), Failure);
}

TEST_F(ReaderTest, HeadingCountSkipsLines) {
  const std::string three = "a\tb\r\nc\td\r\ne\tf\r\n";
  EXPECT_EQ(Read(three, "0").size(), 3u);
  EXPECT_EQ(Read(three, "").size(), 3u) << "empty means 0";
  EXPECT_EQ(Read(three, "-2").size(), 3u) << "negative skips nothing";
  EXPECT_EQ(Read(three, "1"), (std::vector<std::string>{"c|d", "e|f"}));
  EXPECT_EQ(Read(three, "2.5"), std::vector<std::string>{"e|f"}) << "a half goes to even";
  EXPECT_TRUE(Read(three, "3").empty()) << "exactly all lines";
  EXPECT_EQ(rows.RowCount().value(), 0);

  Failure short_file = ReadFailure(three, "4");
  EXPECT_EQ(short_file.kind(), FailureKind::InputPastEndOfFile);
  EXPECT_EQ(short_file.file(), "1.txt");
  EXPECT_EQ(short_file.line(), 4);

  Failure huge = ReadFailure(three, "32767.5");
  EXPECT_EQ(huge.kind(), FailureKind::Overflow);
  EXPECT_EQ(huge.file(), "1.txt");
}

TEST_F(ReaderTest, LinesEndAtCrLfCrOrLf) {
  const std::vector<std::string> two = {"1|2", "3|4"};
  EXPECT_EQ(Read("1\t2\r\n3\t4\r\n"), two) << "CR LF";
  EXPECT_EQ(Read("1\t2\r3\t4\r"), two) << "CR";
  EXPECT_EQ(Read("1\t2\n3\t4\n"), two) << "LF";
  EXPECT_EQ(Read("1\t2\n3\t4"), two) << "no final terminator";
  EXPECT_EQ(Read("1\t2\r\r\n3\t4\n\r"), (std::vector<std::string>{"1|2", "-", "3|4", "-"}))
      << "mixed: CR, CR LF, LF, CR";
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
  EXPECT_EQ(Read(longest + "\t"), std::vector<std::string>{longest + "|"});
  // Double-byte characters count once: 32767 of them take 65534 bytes and are still allowed.
  std::string wide;
  for (int i = 0; i < 32767; ++i) wide += "\xb0\xa1";
  EXPECT_EQ(Read("1\t2\r\n" + wide + "\r\n"),
            (std::vector<std::string>{"1|2", "|" + wide.substr(2)}));

  Failure failure = ReadFailure("1\t2\r\n" + wide + "\xb0\xa1\r\n");
  EXPECT_EQ(failure.kind(), FailureKind::Overflow);
  EXPECT_EQ(failure.line(), 2);
  EXPECT_EQ(ReadFailure(std::string(32768, '7')).kind(), FailureKind::Overflow);
}

TEST_F(ReaderTest, AMissingFileIsNamed) {
  try {
    ReadDataFile(folder.str() + "/gone.txt", "gone.txt", "0", rows);
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind(), FailureKind::FileNotFound);
    EXPECT_EQ(failure.file(), "gone.txt");
  }
}

}  // namespace
}  // namespace torvane
