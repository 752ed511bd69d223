#include "runtime/input_file.h"

#include <gtest/gtest.h>

#include "support/failure_of.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;
using Lines = std::vector<std::string>;

class InputFileTest : public ::testing::Test {
 protected:
  Lines AllLines(const std::string& content) {
    InputFile file(folder.Write("f.txt", content), "f.txt");
    Lines lines;
    while (!file.AtEnd()) lines.emplace_back(file.ReadLine());
    return lines;
  }
  TempFolder folder;
};

TEST_F(InputFileTest, EveryLineEndAndEveryByte) {
  EXPECT_EQ(AllLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(AllLines("a\rb\r"), (Lines{"a", "b"}));
  EXPECT_EQ(AllLines("a\nb\n"), (Lines{"a", "b"}));
  EXPECT_EQ(AllLines("a\nb\r\rc\r\nd"), (Lines{"a", "b", "", "c", "d"}));
  EXPECT_EQ(AllLines("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(AllLines("\r\n\r\n"), (Lines{"", ""}));
  const std::string bytes("\xD6\xD0\t\0\x7F\xFF", 6);
  EXPECT_EQ(AllLines(bytes + "\r\n"), Lines{bytes});
}

TEST_F(InputFileTest, LinesAcrossReadChunks) {
  // Lines longer than one read, and a CR LF split between two reads.
  std::string long_line(200000, 'x');
  std::string split(65535, 'y');
  EXPECT_EQ(AllLines(long_line + "\r\n" + "z"), (Lines{long_line, "z"}));
  EXPECT_EQ(AllLines(split + "\r\nq\r\n"), (Lines{split, "q"}));
  EXPECT_EQ(AllLines(split + "\rq"), (Lines{split, "q"}));
}

TEST_F(InputFileTest, EndOfFileTestAndReadingPastTheEnd) {
  InputFile empty(folder.Write("empty", ""), "empty.txt");
  EXPECT_TRUE(empty.AtEnd());
  Failure past_end = FailureOf([&] { empty.ReadLine(); });
  EXPECT_EQ(past_end.kind(), FailureKind::InputPastEndOfFile);
  EXPECT_EQ(past_end.file(), "empty.txt");
  EXPECT_EQ(past_end.line(), 1);
}

TEST_F(InputFileTest, OpenFailures) {
  Failure missing = FailureOf([&] { InputFile(folder.str() + "/gone.txt", "gone.txt"); });
  EXPECT_EQ(missing.kind(), FailureKind::FileNotFound);
  EXPECT_EQ(missing.file(), "gone.txt");
  EXPECT_THROW(InputFile(folder.str(), "folder"), Failure);
}

}  // namespace
}  // namespace torvane
