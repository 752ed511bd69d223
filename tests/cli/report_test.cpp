#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "cli/command.h"
#include "support/current_directory.h"
#include "support/fakes.h"
#include "support/xml.h"

namespace torvane {
namespace {

using namespace torvane::testing;

struct Capture : batch::Output {
  std::string bytes;
  void Write(std::string_view more) override { bytes += more; }
};

class ReportTest : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    CurrentDirectory cwd(here.path());
    out.bytes.clear();
    err.bytes.clear();
    return batch::RunBatchCommand(args, out, err, std::chrono::milliseconds(0));
  }
  // The report, parsed; fails the test when it is not well-formed.
  std::unique_ptr<XmlElement> Parsed(const std::string& html) {
    try {
      return XmlParser::Parse(html);
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
      return std::make_unique<XmlElement>();
    }
  }

  TempFolder data, here;
  Capture out, err;
};

TEST_F(ReportTest, TheExampleFoldersReportShowsEveryFileAndPickOffline) {
  // The examples, copied so that the test runs from any working folder.
  const std::filesystem::path examples = TORVANE_EXAMPLES;
  std::vector<std::string> bases;
  for (const auto& entry : std::filesystem::directory_iterator(examples)) {
    if (entry.path().extension() != ".txt") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    data.Write(entry.path().filename().string(),
               std::string(std::istreambuf_iterator<char>(in), {}));
    bases.push_back(entry.path().stem().string());
  }
  ASSERT_EQ(bases.size(), 4u);
  ASSERT_EQ(Run({data.str(), "--from", "990", "--to", "1010", "-o", "-", "--encoding", "utf-8",
                 "--report", "报告.html"}),
            0)
      << err.bytes;
  const std::optional<std::string> html = here.Read("报告.html");
  ASSERT_TRUE(html);
  const std::unique_ptr<XmlElement> page = Parsed(*html);
  EXPECT_EQ(page->name, "html");
  EXPECT_EQ(page->attributes["lang"], "zh-CN");
  EXPECT_EQ(html->find("<script"), std::string::npos);
  EXPECT_EQ(html->find("http"), std::string::npos) << "nothing fetched from elsewhere";
  EXPECT_EQ(html->find("url("), std::string::npos);
  EXPECT_EQ(html->find("src="), std::string::npos);

  // Every summary line's name and X text are in the page, and every panel link has its panel.
  std::istringstream summary(out.bytes);
  int lines = 0;
  for (std::string line; std::getline(summary, line); ++lines) {
    const std::string base = line.substr(0, line.find('\t'));
    const std::string x =
        line.substr(base.size() + 1, line.find('\t', base.size() + 1) - base.size() - 1);
    ASSERT_FALSE(x.empty()) << line;
    EXPECT_NE(html->find(base), std::string::npos) << base;
    EXPECT_NE(html->find("X " + x), std::string::npos) << "the pick's text in its panel: " << x;
    EXPECT_NE(html->find(">" + x + "<"), std::string::npos) << "the pick's text in the table";
  }
  EXPECT_EQ(lines, 4);
  std::set<std::string> ids;
  for (const XmlElement* svg : page->All("svg")) ids.insert(svg->attributes.at("id"));
  std::vector<const XmlElement*> links = page->All("a");
  EXPECT_EQ(links.size(), 4u);
  for (const XmlElement* link : links) {
    const std::string target = link->attributes.at("href");
    ASSERT_EQ(target[0], '#');
    EXPECT_TRUE(ids.count(target.substr(1))) << target;
  }
  EXPECT_EQ(ids.size(), 4u);
}

TEST_F(ReportTest, FailuresAndNotesAreInTheReportAndAStrangeNameKeepsItWellFormed) {
  data.Write("1.txt", "x\ty\r\n1\t5\r\n2\t9\r\n");
  data.Write("2.txt", "x\ty\r\n7\t5\r\n");
  data.Write("样&'3'.txt", "x\ty\r\n1\t2\r\n");
  data.Write("4.txt", "");
  EXPECT_EQ(Run({data.str(), "--from", "1", "--to", "3", "--heading", "1", "--keep-going",
                 "--report", "r.html"}),
            2)
      << err.bytes;
  const std::optional<std::string> html = here.Read("r.html");
  ASSERT_TRUE(html);
  const std::unique_ptr<XmlElement> page = Parsed(*html);
  EXPECT_EQ(page->All("svg").size(), 4u) << "a panel for the failed file too";
  EXPECT_NE(html->find("2.txt：横坐标范围内没有数据行"), std::string::npos);
  EXPECT_NE(html->find("4.txt：出错，未列入汇总：第 1 行：文件只有 0 行"), std::string::npos);
  EXPECT_NE(html->find("样&amp;&#39;3&#39;"), std::string::npos);
  EXPECT_TRUE(here.Read("1-3.txt")) << "the summary is written too";
}

TEST_F(ReportTest, AReportOnStandardOutputIsRefused) {
  data.Write("1.txt", "1\t2\r\n");
  EXPECT_EQ(Run({data.str(), "--from", "1", "--to", "3", "--report", "-"}), batch::kUsage);
  EXPECT_NE(err.bytes.find("--report 不能写到标准输出"), std::string::npos) << err.bytes;
  EXPECT_EQ(out.bytes, "");
  EXPECT_EQ(here.Entries(), 0);
}

}  // namespace
}  // namespace torvane
