#include "extract/batch_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "extract/notes.h"
#include "extract/summary.h"
#include "support/current_directory.h"
#include "support/failure_of.h"
#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;

RunOptions Options(int jobs, bool keep_going = false) {
  RunOptions options;
  options.jobs = jobs;
  options.keep_going = keep_going;
  return options;
}

class BatchRunTest : public ::testing::Test {
 protected:
  BatchRunTest() {
    data.Write("2.txt", "x\ty\r\n1\t5\r\n2\t9\r\n3\t-4\r\n");
    data.Write("10.txt", "x\ty\r\n1.50\t 7 \r\n2.5\t7\r\n9\t1\r\n");
    data.Write("3.TXT", "x\ty\r\n8\t8\r\n");
    data.Write("样品.txt", "x\ty\r\n2\t\xb7\xe5");
  }

  BatchRequest Request(std::vector<std::string> names, std::string start = "1",
                       std::string end = "3", bool peak = true) {
    BatchRequest request;
    request.folder_path = data.str();
    request.names = std::move(names);
    request.heading_text = "1";
    request.start_text = std::move(start);
    request.end_text = std::move(end);
    request.peak = peak;
    return request;
  }
  std::string Summary(const BatchRequest& request, RunOptions options = {},
                      TextEncoding encoding = TextEncoding::Cp936) {
    return SummaryText(CollectResults(request, options), SummaryFormat::TabSeparated, encoding);
  }
  Failure RunFailure(const BatchRequest& request, RunOptions options = {}) {
    return FailureOf([&] { CollectResults(request, options); });
  }

  TempFolder data;
};

TEST_F(BatchRunTest, OneLinePerFileInRunOrderWithTheTextsAsWritten) {
  const std::vector<std::string> names{"2.txt", "3.TXT", "10.txt", "样品.txt"};
  const std::string peaks = "2\t2\t9\r\n3\t\r\n10\t2.5\t7\r\n\xd1\xf9\xc6\xb7\t2\t\xb7\xe5\r\n";
  EXPECT_EQ(Summary(Request(names)), peaks) << "an empty range gives an empty result";
  EXPECT_EQ(Summary(Request(names, "1", "3", false)),
            "2\t3\t-4\r\n3\t\r\n10\t2.5\t7\r\n\xd1\xf9\xc6\xb7\t2\t\xb7\xe5\r\n");
  EXPECT_EQ(Summary(Request(names), Options(3)), peaks) << "reading in parallel keeps the order";
  EXPECT_EQ(Summary(Request(names), {}, TextEncoding::Utf8),
            "2\t2\t9\r\n3\t\r\n10\t2.5\t7\r\n样品\t2\t峰\r\n");
  EXPECT_EQ(Summary(Request({})), "");
}

TEST_F(BatchRunTest, BaseNamesAreAlwaysOneFieldOfOneLine) {
  EXPECT_EQ(BaseName("a\tb\nc\rd.txt", TextEncoding::Cp936), "a?b?c?d");
  EXPECT_EQ(BaseName("Jörg😀中.TXT", TextEncoding::Cp936), "J?rg?\xd6\xd0")
      << "characters code page 936 lacks";
  EXPECT_EQ(BaseName("Jörg😀.TXT", TextEncoding::Utf8), "Jörg😀");
}

TEST_F(BatchRunTest, RangeEndsAreCheckedAfterTheFirstFileEndFirst) {
  Failure both = RunFailure(Request({"2.txt"}, "4x", ""));
  EXPECT_EQ(both.kind(), FailureKind::TypeMismatch);
  EXPECT_EQ(DescribeFailure(both), "横坐标范围的终点为空");
  EXPECT_EQ(DescribeFailure(RunFailure(Request({"2.txt"}, "4x", "5"))),
            "横坐标范围的起点“4x”不是数字");
  EXPECT_EQ(RunFailure(Request({"gone.txt"}, "", "")).kind(), FailureKind::FileNotFound)
      << "the first file's own failure comes first";
  EXPECT_NO_THROW(CollectResults(Request({}, "", ""), {})) << "no file, no range needed";
}

TEST_F(BatchRunTest, AReversedRangeIsRefusedWhereTheRangeIsCheckedAndEqualEndsAreValid) {
  Failure reversed = RunFailure(Request({"2.txt"}, "3", "1"));
  EXPECT_EQ(DescribeFailure(reversed), "横坐标范围的起点大于终点");
  EXPECT_EQ(DescribeFailure(RunFailure(Request({"2.txt"}, "3", "x"))),
            "横坐标范围的终点“x”不是数字");
  EXPECT_EQ(RunFailure(Request({"gone.txt"}, "3", "1")).kind(), FailureKind::FileNotFound);
  EXPECT_EQ(DescribeFailure(RunFailure(Request({"gone.txt"}, "3", "1"), Options(1, true))),
            "横坐标范围的起点大于终点")
      << "before any file is read";
  EXPECT_EQ(Summary(Request({"2.txt"}, "2", "2")), "2\t2\t9\r\n");
}

TEST_F(BatchRunTest, TheEarliestFailingFileEndsTheRunWhateverTheJobs) {
  data.Write("4.txt", "only a heading");
  data.Write("5.txt", "");
  BatchRequest request = Request({"2.txt", "10.txt", "4.txt", "5.txt", "gone.txt"});
  request.heading_text = "2";
  for (int jobs : {1, 2, 4}) {
    Failure failure = RunFailure(request, Options(jobs));
    EXPECT_EQ(failure.kind(), FailureKind::InputPastEndOfFile) << jobs;
    EXPECT_EQ(failure.file(), "4.txt") << jobs;
    EXPECT_EQ(failure.line(), 2) << jobs;
  }
}

TEST_F(BatchRunTest, KeepGoingLeavesFailedFilesOut) {
  std::vector<FileOutcome> outcomes =
      CollectResults(Request({"2.txt", "gone.txt", "10.txt"}), Options(2, true));
  ASSERT_EQ(outcomes.size(), 3u);
  ASSERT_TRUE(outcomes[1].failure);
  EXPECT_EQ(outcomes[1].failure->kind(), FailureKind::FileNotFound);
  EXPECT_EQ(SummaryLines(outcomes), 2);
  EXPECT_EQ(SummaryText(outcomes, SummaryFormat::TabSeparated, TextEncoding::Cp936),
            "2\t2\t9\r\n10\t2.5\t7\r\n");
  EXPECT_EQ(RunFailure(Request({"2.txt"}, "1", "x"), Options(1, true)).kind(),
            FailureKind::TypeMismatch)
      << "a range end that is no number fails the whole run";
}

TEST_F(BatchRunTest, TheRunNeverReadsTheFileItWrites) {
  data.Write("out.txt", "2\t2\t9\r\n");
  BatchRequest request = Request({"2.txt", "out.txt", "10.txt"});
  TempFolder elsewhere;
  CurrentDirectory cwd(elsewhere.path());
  const char separator[] = {kPathSeparator, 0};
  // The file by its path, relative to the current directory, through another spelling where
  // names ignore case, and through a link where the system allows one.
  std::vector<std::string> paths{
      data.str() + separator + "out.txt",
      ".." + (separator + Utf8Of(data.path().filename())) + separator + "out.txt"};
  if (std::filesystem::exists(data.path() / "OUT.TXT")) paths.push_back(data.str() + "/OUT.TXT");
  std::error_code no_link;
  std::filesystem::create_symlink(data.path() / "out.txt", elsewhere.path() / "link.txt", no_link);
  if (!no_link) paths.push_back("link.txt");
  for (const std::string& summary : paths) {
    request.summary_path = summary;
    BatchRun run = RunBatch(request, {});
    ASSERT_EQ(run.notes.size(), 1u) << summary;
    EXPECT_EQ(NoteLine(run.notes[0]), "未读取 out.txt：它就是本次要写的汇总文件");
    EXPECT_EQ(SummaryText(run.outcomes, SummaryFormat::TabSeparated, TextEncoding::Cp936),
              "2\t2\t9\r\n10\t2.5\t7\r\n")
        << summary;
  }
  request.summary_path = "new.txt";
  EXPECT_EQ(RunBatch(request, {}).outcomes.size(), 3u) << "a summary yet to be written";
}

TEST_F(BatchRunTest, AFileThatLooksLikeAnEarlierSummaryIsReadWithANote) {
  const std::string note = "像是以前写出的汇总文件，已照常读取；请把汇总文件移出数据文件夹";
  // the content of 1-3.txt, whether it gets the note
  const std::pair<const char*, bool> cases[] = {{"2\t2\t9\r\n10\t2.5\t7\r\n", true},
                                                {"10\t2\t9\r\n3\t8\t1", true},
                                                {"\xd1\xf9\xc6\xb7\t2\t9\r\n", true},
                                                {"x\t2\t9\r\n", false},
                                                {"2\t2\t9\r\n3\t\r\n", false},
                                                {"2\t2\t9\t1\r\n", false},
                                                {"1-3\t2\t9\r\n", false}};
  for (const auto& [content, noted] : cases) {
    data.Write("1-3.txt", content);
    BatchRequest request = Request({"2.txt", "1-3.txt", "10.txt", "样品.txt"});
    request.heading_text = "0";
    std::vector<FileOutcome> outcomes = CollectResults(request, {});
    const std::vector<Note>& notes = outcomes[1].notes;
    EXPECT_EQ(!notes.empty() && notes.back().text == note, noted) << content;
    EXPECT_TRUE(outcomes[0].notes.empty() || outcomes[0].notes.back().text != note);
  }
}

TEST_F(BatchRunTest, NotesNameWhatIsSuspectInAResult) {
  data.Write("odd.txt", "h\r\n1\tabc\r\n2\t2\t3\r\n178,23\t5\r\n");
  data.Write("comma.txt", "h\r\n1,2;3,4\r\n");
  const std::pair<const char*, const char*> notes[] = {
      // one point of the range, the note
      {"1", "odd.txt 第 2 行：Y 值“abc”不是一个数，按 0 比较"},
      {"2", "odd.txt 第 3 行：Y 值“2\t3”不是一个数，按 23 比较"},
      {"178", "odd.txt 第 4 行：X 值“178,23”像是用逗号作小数点，按 178 比较"},
      {"500", "odd.txt：横坐标范围内没有数据行，汇总中没有 X 和 Y"}};
  for (const auto& [x, note] : notes) {
    std::vector<FileOutcome> outcomes = CollectResults(Request({"odd.txt", "comma.txt"}, x, x), {});
    EXPECT_EQ(NoteLine(NotesOn("odd.txt", outcomes[0].result, {}).at(0)), note);
    EXPECT_EQ(NoteLine(NotesOn("comma.txt", outcomes[1].result, {}).at(0)),
              "comma.txt：没有一行分得出 X 和 Y 两列，可能不是两列的数据文件");
  }
  EXPECT_TRUE(NotesOn("2.txt", CollectResults(Request({"2.txt"}), {})[0].result, {}).empty());
}

}  // namespace
}  // namespace torvane
