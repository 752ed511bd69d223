#include "cli/command.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <utility>

#include "support/real_folder_test.h"
#include "support/test_data.h"

namespace torvane {
namespace {

using namespace torvane::testing;
using Files = std::vector<std::pair<std::string, std::string>>;

struct Capture : batch::Output {
  std::string bytes;
  bool terminal = false;
  void Write(std::string_view more) override { bytes += more; }
  bool IsTerminal() const override { return terminal; }
};

struct Outcome {
  int status;
  std::string out, err;
};

class CommandTest : public ::testing::Test {
 protected:
  /// Runs the command in `here` on `data` with `options` (split at spaces).
  Outcome Run(const std::string& options, bool terminal = false) {
    std::vector<std::string> args{data.str()};
    std::istringstream words(options);
    for (std::string word; words >> word;) args.push_back(word);
    return RunArgs(args, terminal);
  }
  Outcome RunArgs(const std::vector<std::string>& args, bool terminal = false) {
    CurrentDirectory cwd(here.path());
    Capture out, err;
    err.terminal = terminal;
    int status = batch::RunBatchCommand(args, out, err, std::chrono::milliseconds(0));
    return {status, out.bytes, err.bytes};
  }
  void Write(const Files& files) {
    for (const auto& [name, bytes] : files) data.Write(name, bytes);
  }

  TempFolder data, here;
};

TEST_F(CommandTest, WritesTheWindowsBytesForTheSameFolderAndInputs) {
  struct Case {
    std::string heading, from, to;
    Files files;
  };
  const std::vector<Case> cases{
      {"1",
       "1",
       "3",
       {{"2.txt", "x\ty\r\n1\t5\r\n2\t9\r\n3\t-4\r\n"},
        {"10.txt", "x\ty\r\n1.50\t 7 \r\n2.5\t7\r\n9\t1\r\n"},
        {"3.TXT", "x\ty\r\n8\t8\r\n"},
        {"样品.txt", "x\ty\r\n2\t\xb7\xe5"},
        {".hidden.txt", "x"},
        {"notes.md", "x"}}},
      {"2",
       " 0 ",
       "1e1",
       {{"1.txt",
         "\xEF\xBB\xBF"
         "5\t99\r5\t98\n1\t2\r\n\r\nno-delimiter\r\n 5\r\n1e0|7\r2,5;9\n3\t7 \t8"},
        {"0.5.txt", "1\t1\r\n1\t2\r\n1\t-1\r\n1.0\t-1.0\r\n"}}},
      {"2", "1", "1", {{"1.txt", "1\t2\r\n1\t3\r\n1\t4"}}},
      {"2", "0", "5", {{"1.txt", "1\t2\r\n"}}},  // fails: two heading lines, one line
      {"0", "1", "1", {}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    for (bool peak : {true, false}) {
      const Case& c = cases[i];
      RealFolderWindow window;
      for (const auto& [name, bytes] : c.files) window.data.Write(name, bytes);
      window.controls.texts = {
          {TextBox::Text2, c.heading}, {TextBox::Text3, c.from}, {TextBox::Text4, c.to}};
      window.controls.option1 = peak;
      window.form.Raise(Form1Event::Text3Change);  // names the summary after the range
      window.Run();
      Outcome command = RunArgs({window.data.str(), "--from", c.from, "--to", c.to, "--heading",
                                 c.heading, peak ? "--peak" : "--valley"});
      const std::string summary = c.from + "-" + c.to + ".txt";
      EXPECT_EQ(here.Read(summary), window.here.Read(summary)) << i << peak;
      EXPECT_EQ(command.status, window.here.Read(summary) ? 0 : 1) << i << peak;
      std::filesystem::remove(here.path() / summary);
    }
  }
}

TEST_F(CommandTest, EachFormatAndEncodingWritesItsBytes) {
  Write({{"a,b.txt", "h\r\n2\t7,\"x\"\r\n"},
         {"样品.txt", "h\r\n3\t\xb7\xe5\r\n"},
         {"2.txt", "h\r\n1.5\t1e999\r\n"},
         {"9.txt", "h\r\n9\t1\r\n"}});
  const std::string range = "--heading 1 --from 1 --to 3 -o - --quiet";
  EXPECT_EQ(Run(range).out,
            "a,b\t2\t7,\"x\"\r\n\xd1\xf9\xc6\xb7\t3\t\xb7\xe5\r\n2\t1.5\t1e999\r\n9\t\r\n");
  EXPECT_EQ(Run(range + " --encoding utf-8").out,
            "a,b\t2\t7,\"x\"\r\n样品\t3\t峰\r\n2\t1.5\t1e999\r\n9\t\r\n");
  EXPECT_EQ(Run(range + " --format csv").out,
            "file,x,y\r\n\"a,b\",2,\"7,\"\"x\"\"\"\r\n\xd1\xf9\xc6\xb7,3,\xb7\xe5\r\n2,1.5,"
            "1e999\r\n9,,\r\n");
  EXPECT_EQ(Run(range + " --format csv --encoding utf-8").out,
            "file,x,y\r\n\"a,b\",2,\"7,\"\"x\"\"\"\r\n样品,3,峰\r\n2,1.5,1e999\r\n9,,\r\n");
  const auto json = nlohmann::ordered_json::parse(R"([
    {"file": "a,b.txt", "x": "2", "y": "7,\"x\"", "x_value": 2.0, "y_value": 7.0, "line": 2,
     "warnings": ["Y 值“7,\"x\"”不是一个数，按 7 比较"]},
    {"file": "样品.txt", "x": "3", "y": "峰", "x_value": 3.0, "y_value": 0.0, "line": 2,
     "warnings": ["Y 值“峰”不是一个数，按 0 比较"]},
    {"file": "2.txt", "x": "1.5", "y": "1e999", "x_value": 1.5, "y_value": null, "line": 2,
     "warnings": []},
    {"file": "9.txt", "x": null, "y": null, "x_value": null, "y_value": null, "line": null,
     "warnings": ["横坐标范围内没有数据行，汇总中没有 X 和 Y"]}])");
  EXPECT_EQ(Run(range + " --format json").out, json.dump(2) + "\n");
  EXPECT_EQ(Run(range + " --format json --encoding utf-8").out, json.dump(2) + "\n");
}

TEST_F(CommandTest, DecimalCommaFilesAreReadWithTheOption) {
  Write({{"OO.txt", "nm\tcounts\r\n832,5\t23,1\r\n833,94\t23,432\r\n836,69\t23,108\r\n"},
         {"semi.txt", "nm;counts\r\n833,1;1,5\r\n"}});
  EXPECT_EQ(Run("--heading 1 --from 833 --to 836 -o - --decimal-comma").out,
            "OO\t833,94\t23,432\r\nsemi\t833,1\t1,5\r\n");
  Outcome plain = Run("--heading 1 --from 833 --to 836 -o -");
  EXPECT_EQ(plain.out, "OO\t836,69\t23,108\r\nsemi\t\r\n") << "833 and 836 tie at 23";
  EXPECT_NE(plain.err.find("OO.txt: 第 4 行：X 值“836,69”像是用逗号作小数点，按 836 比较\n"),
            std::string::npos)
      << plain.err;
}

TEST_F(CommandTest, KeepGoingLeavesBrokenFilesOutAndAFailedRunWritesNothing) {
  Write({{"1.txt", "h\r\n1\t2\r\n"}, {"2.txt", ""}, {"3.txt", "h\r\n2\t3\r\n"}});
  here.Write("out.txt", "old");
  const std::string broken = "torvane-batch: " + data.str() + kPathSeparator +
                             "2.txt: 第 1 行：文件只有 0 行，不够忽略前 1 行\n";
  for (int jobs : {1, 2}) {
    const std::string options = "--heading 1 --from 0 --to 9 -o out.txt -j " + std::to_string(jobs);
    EXPECT_EQ(Run(options).err, broken);
    EXPECT_EQ(here.Read("out.txt"), "old");
    Outcome kept = Run(options + " --keep-going");
    EXPECT_EQ(kept.status, 2);
    EXPECT_EQ(kept.err, broken + "torvane-batch: 1 个文件出错，未列入汇总\n");
    EXPECT_EQ(here.Read("out.txt"), "1\t1\t2\r\n3\t2\t3\r\n");
    here.Write("out.txt", "old");
  }
  EXPECT_EQ(Run("--from 0 --to 9 -o " + data.str()).status, 1) << "a folder in the way";
  EXPECT_EQ(here.Read("out.txt"), "old");
}

const std::string kHint =
    "用法：torvane-batch 文件夹 --from A --to B [选项]，详见 torvane-batch --help\n";

// Every wrong command line ends with status 64 and the hint, having written nothing; each
// problem on a line of its own. program_test.cmake runs the built program on one problem at a time.
TEST_F(CommandTest, RefusesAWrongCommandLineInChineseNamingEveryProblem) {
  Outcome bare = RunArgs({});
  EXPECT_EQ(bare.err,
            "torvane-batch: 命令行有误：缺少数据文件夹\n"
            "torvane-batch: 命令行有误：缺少 --from（横坐标范围的起点）\n"
            "torvane-batch: 命令行有误：缺少 --to（横坐标范围的终点）\n" +
                kHint);
  TempFolder empty;
  Outcome nothing = RunArgs({empty.str(), "--from", "", "--to", "y"});
  EXPECT_EQ(nothing.status, 64);
  EXPECT_EQ(nothing.err,
            "torvane-batch: --from：横坐标范围的起点为空\n"
            "torvane-batch: --to：横坐标范围的终点“y”不是数字\n" +
                kHint);
  EXPECT_TRUE(std::filesystem::is_empty(here.path()));
}

TEST_F(CommandTest, NamesTheSummaryAfterTheRangeWithoutTheWindowsCap) {
  for (int i = 1; i <= 250; ++i) data.Write(std::to_string(i) + ".txt", "1\t" + std::to_string(i));
  EXPECT_EQ(Run("--from 1 --to 1 --format csv").status, 0);
  std::string csv = here.Read("1-1.csv").value_or("");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 251);
  EXPECT_TRUE(csv.ends_with("\r\n250,1,250\r\n"));
  EXPECT_EQ(Run("--from 1 --to 1 --format json").status, 0);
  EXPECT_TRUE(here.Read("1-1.json"));
}

TEST_F(CommandTest, ProgressOnlyOnATerminalAndWarningsUnlessQuiet) {
  Write({{"1.txt", "1\tabc\r\n"}});
  const std::string warning = "torvane-batch: 警告：" + data.str() + kPathSeparator +
                              "1.txt: 第 1 行：Y 值“abc”不是一个数，按 0 比较\n";
  EXPECT_EQ(Run("--from 1 --to 1").err, warning);
  EXPECT_EQ(Run("--from 1 --to 1", true).err,
            "\r已读 1/1 个文件\r" + std::string(15, ' ') + "\r" + warning);
  EXPECT_EQ(Run("--from 1 --to 1 --quiet", true).err, "");
  // Other threads may read the last files: the last count is drawn all the same.
  for (int i = 2; i <= 64; ++i) data.Write(std::to_string(i) + ".txt", "1\t1\r\n");
  const std::string drawn = Run("--from 1 --to 1 -j 4 -o -", true).err;
  EXPECT_NE(drawn.find("\r已读 64/64 个文件\r"), std::string::npos) << drawn;
}

TEST_F(CommandTest, TheSummaryItWritesIsNeverRead) {
  const std::string expected = ExampleSummary();
  std::filesystem::copy(ExampleSpectra(), data.path());
  const std::string inside =
      "--from 990 --to 1010 -o " + data.str() + kPathSeparator + "990-1010.txt";
  EXPECT_EQ(Run(inside).err, "");
  Outcome again = Run(inside);
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.err, "torvane-batch: 警告：未读取 990-1010.txt：它就是本次要写的汇总文件\n");
  EXPECT_EQ(data.Read("990-1010.txt"), expected);
}

TEST_F(CommandTest, TheExampleSpectraGiveTheCommittedSummaryAndAReportOfEveryFileAndPick) {
  Outcome run =
      RunArgs({Utf8Of(ExampleSpectra()), "--from", "990", "--to", "1010", "--report", "报告.html"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(here.Read("990-1010.txt"), ExampleSummary());
  const std::optional<std::string> html = here.Read("报告.html");
  ASSERT_TRUE(html);
  // Well-formed: tests/cli/program_test.cmake checks a report with xmllint.
  EXPECT_NE(html->find("<html lang=\"zh-CN\""), std::string::npos);
  EXPECT_EQ(html->find("<script"), std::string::npos);
  EXPECT_EQ(html->find("http"), std::string::npos) << "nothing fetched from elsewhere";
  EXPECT_EQ(html->find("url("), std::string::npos);
  EXPECT_EQ(html->find("src="), std::string::npos);

  // Every summary line's name and X text are in the page, and every panel link has its panel.
  std::istringstream summary(ExampleSummary());
  int lines = 0;
  for (std::string base, x, y; std::getline(summary, base, '\t') &&
                               std::getline(summary, x, '\t') && std::getline(summary, y);
       ++lines) {
    ASSERT_FALSE(x.empty()) << base;
    EXPECT_NE(html->find(base), std::string::npos) << base;
    EXPECT_NE(html->find("X " + x), std::string::npos) << "the pick's text in its panel: " << x;
    EXPECT_NE(html->find(">" + x + "<"), std::string::npos) << "the pick's text in the table";
  }
  EXPECT_EQ(lines, 4);
  std::set<std::string> ids, links;
  const std::regex id("<svg id=\"([^\"]*)\""), link("<a href=\"#([^\"]*)\"");
  for (std::sregex_iterator i(html->begin(), html->end(), id), end; i != end; ++i)
    ids.insert((*i)[1]);
  for (std::sregex_iterator i(html->begin(), html->end(), link), end; i != end; ++i)
    links.insert((*i)[1]);
  EXPECT_EQ(ids.size(), 4u);
  EXPECT_EQ(links, ids);
}

TEST_F(CommandTest, FailuresAndNotesAreInTheReportAndAStrangeNameKeepsItWellFormed) {
  Write({{"1.txt", "x\ty\r\n1\t5\r\n2\t9\r\n"},
         {"2.txt", "x\ty\r\n7\t5\r\n"},
         {"样&'3'.txt", "x\ty\r\n1\t2\r\n"},
         {"4.txt", ""}});
  EXPECT_EQ(Run("--from 1 --to 3 --heading 1 --keep-going --report r.html").status, 2);
  const std::optional<std::string> html = here.Read("r.html");
  ASSERT_TRUE(html);
  const std::regex svg("<svg ");
  EXPECT_EQ(std::distance(std::sregex_iterator(html->begin(), html->end(), svg), {}), 4)
      << "a panel for the failed file too";
  EXPECT_NE(html->find("2.txt：横坐标范围内没有数据行"), std::string::npos);
  EXPECT_NE(html->find("4.txt：出错，未列入汇总：第 1 行：文件只有 0 行"), std::string::npos);
  EXPECT_NE(html->find("样&amp;&#39;3&#39;"), std::string::npos);
}

}  // namespace
}  // namespace torvane
