#include "runtime/input_file.h"

#include <gtest/gtest.h>

#include "runtime/failure.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using testing::TempFolder;

std::vector<std::string> AllLines(const std::string& path) {
  InputFile file(path, "f.txt");
  std::vector<std::string> lines;
  while (!file.AtEnd()) lines.emplace_back(file.ReadLine());
  return lines;
}

using Lines = std::vector<std::string>;

TEST(InputFile, EveryLineEnd) {
  TempFolder folder;
  EXPECT_EQ(AllLines(folder.Write("crlf", "a\r\nb\r\n")), (Lines{"a", "b"}));
  EXPECT_EQ(AllLines(folder.Write("cr", "a\rb\r")), (Lines{"a", "b"}));
  EXPECT_EQ(AllLines(folder.Write("lf", "a\nb\n")), (Lines{"a", "b"}));
  EXPECT_EQ(AllLines(folder.Write("mixed", "a\nb\r\rc\r\nd")), (Lines{"a", "b", "", "c", "d"}));
  EXPECT_EQ(AllLines(folder.Write("lf-cr", "a\n\rb")), (Lines{"a", "", "b"}));
  EXPECT_EQ(AllLines(folder.Write("blank", "\r\n\r\n")), (Lines{"", ""}));
  EXPECT_EQ(AllLines(folder.Write("last", "a\r\nno end")), (Lines{"a", "no end"}));
}

TEST(InputFile, LinesAcrossReadChunks) {
  // Lines longer than one read, and a CR LF split between two reads.
  TempFolder folder;
  std::string long_line(200000, 'x');
  std::string split(65535, 'y');
  EXPECT_EQ(AllLines(folder.Write("long", long_line + "\r\n" + "z")), (Lines{long_line, "z"}));
  EXPECT_EQ(AllLines(folder.Write("split", split + "\r\nq\r\n")), (Lines{split, "q"}));
  EXPECT_EQ(AllLines(folder.Write("split-cr", split + "\rq")), (Lines{split, "q"}));
}

TEST(InputFile, EndOfFileTestAndReadingPastTheEnd) {
  TempFolder folder;
  InputFile empty(folder.Write("empty", ""), "empty.txt");
  EXPECT_TRUE(empty.AtEnd());
  try {
    empty.ReadLine();
    ADD_FAILURE();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind(), FailureKind::InputPastEndOfFile);
    EXPECT_EQ(failure.file(), "empty.txt");
    EXPECT_EQ(failure.line(), 1);
  }
  InputFile one(folder.Write("one", "x\r\n"), "one.txt");
  EXPECT_FALSE(one.AtEnd());
  EXPECT_EQ(one.ReadLine(), "x");
  EXPECT_TRUE(one.AtEnd()) << "a final CR LF leaves nothing to read";
}

TEST(InputFile, KeepsEveryByteOfALine) {
  TempFolder folder;
  std::string bytes("\xD6\xD0\t\0\x7F\xFF", 6);
  EXPECT_EQ(AllLines(folder.Write("bytes", bytes + "\r\n")), (Lines{bytes}));
}

TEST(InputFile, OpenFailures) {
  TempFolder folder;
  try {
    InputFile missing(folder.str() + "/gone.txt", "gone.txt");
    ADD_FAILURE();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind(), FailureKind::FileNotFound);
    EXPECT_EQ(failure.file(), "gone.txt");
  }
  EXPECT_THROW(InputFile(folder.str(), "folder"), Failure);
}

}  // namespace
}  // namespace torvane
