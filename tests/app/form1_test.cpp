#include "app/form1.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/real_folder_test.h"
#include "support/test_data.h"

namespace torvane {
namespace {

using namespace torvane::testing;

std::string Pattern(const std::string& folder) {
  return folder + kPathSeparator + "*.txt";
}

class Form1Test : public ::testing::Test {
 protected:
  Form1Test() { location.folder = "/prog"; }

  FakeControls controls;
  FakeMessageBox messages;
  FakeFolderBrowser browser;
  FakeLocation location;
  FakeLister lister;
  FakeResultWindows results;
  Form1 form{{controls, messages, browser, location, lister, results}};
};

TEST_F(Form1Test, StartUpCataloguesTheProgramsFolder) {
  lister.names[Pattern("/prog")] = {"10.txt", "9.txt", "a.txt", "B.TXT"};
  form.Raise(Form1Event::Load);
  EXPECT_EQ(form.FolderPath, "/prog");
  EXPECT_EQ(controls.Text(TextBox::Text1), "/prog");
  EXPECT_EQ(controls.label8, "4");  // the catalogue's order is pinned by its own tests

  for (int i = 0; i < 201; ++i)
    lister.names[Pattern("/prog")].push_back(std::to_string(i) + ".txt");
  form.Raise(Form1Event::Load);
  EXPECT_EQ(controls.label8, "205") << "more than 200 names are counted";
  EXPECT_TRUE(messages.shown.empty());
  form.Raise(Form1Event::Command2Click);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].prompt, "文件夹中有 205 个文本文件，一次最多只能处理 200 个");
}

// Whether at start-up or on a pick, a folder that cannot be listed gives a box and a count of
// "?", and every run says so again and writes nothing, until a folder is listed.
TEST_F(Form1Test, AFolderThatCannotBeListedIsAnErrorNotAnEmptyFolder) {
  TempFolder here;
  CurrentDirectory cwd(here.path());
  controls.texts = {
      {TextBox::Text2, "0"}, {TextBox::Text3, "0"}, {TextBox::Text4, "5"}, {TextBox::Text5, "out"}};
  const std::string box = "无法读取文件夹：没有访问权限\n文件夹：/prog";
  lister.unreadable = {Pattern("/prog"), Pattern("/locked")};
  form.Raise(Form1Event::Load);
  EXPECT_EQ(controls.label8, "?");
  form.Raise(Form1Event::Command2Click);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].prompt, box);
  EXPECT_EQ(messages.shown[1].prompt, box);
  EXPECT_EQ(messages.shown[1].title, "错误");

  lister.names[Pattern("/data")] = {"1.txt"};
  browser.answers = {"/data", "/locked"};
  form.Raise(Form1Event::Command1Click);
  EXPECT_EQ(controls.label8, "1");
  form.Raise(Form1Event::Command2Click);
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[2].prompt, "找不到文件\n文件：1.txt") << "a listed folder runs";

  form.Raise(Form1Event::Command1Click);
  EXPECT_EQ(controls.label8, "?") << "a pick catalogues as the start-up does";
  EXPECT_EQ(here.Entries(), 0) << "nothing written";
}

class FolderPickTest : public Form1Test {
 protected:
  FolderPickTest() {
    lister.names[Pattern("/prog")] = {"1.txt"};
    form.Raise(Form1Event::Load);
  }
  // Picks `answer` (nothing: cancel) and returns the pattern the catalogue was rebuilt from.
  std::string Pick(std::optional<std::string> answer) {
    browser.answers.push_back(std::move(answer));
    lister.patterns.clear();
    form.Raise(Form1Event::Command1Click);
    EXPECT_EQ(lister.patterns.size(), 1u);
    return lister.patterns.empty() ? std::string() : lister.patterns.back();
  }
};

TEST_F(FolderPickTest, AChosenFolderOfAnyLengthAndCharactersReplacesTheCatalogueACancelKeepsIt) {
  std::string chinese, current = "/prog";
  for (int i = 0; i < 200; ++i) chinese += "数";  // 400 bytes in code page 936
  for (const std::string& folder :
       {std::string("/home/jörg/Messungen"), "/" + chinese, std::string("/😀")}) {
    lister.names[Pattern(folder)] = {"a.txt", "b.txt"};
    EXPECT_EQ(Pick(folder), Pattern(folder));
    EXPECT_EQ(browser.titles.back(), "请选择一个文件夹：");
    EXPECT_EQ(browser.starts.back(), current) << "the browser opens at the current folder";
    current = folder;
    EXPECT_EQ(form.FolderPath, folder);
    EXPECT_EQ(controls.Text(TextBox::Text1), folder);
    EXPECT_EQ(controls.label8, "2");
  }
  lister.names[Pattern(current)] = {"1.txt"};  // the folder changed meanwhile
  controls.texts[TextBox::Text1] = "edited";
  EXPECT_EQ(Pick(std::nullopt), Pattern(current)) << "a cancel rebuilds from the folder";
  EXPECT_EQ(form.FolderPath, current);
  EXPECT_EQ(controls.Text(TextBox::Text1), current);
  EXPECT_EQ(controls.label8, "1");
  EXPECT_TRUE(messages.shown.empty()) << "a pick reports nothing";
}

TEST_F(FolderPickTest, RootFolderDoublesTheSeparator) {
  const std::string root(1, kPathSeparator);
  lister.names[Pattern(root)] = {"r.txt"};
  EXPECT_EQ(Pick(root), root + root + "*.txt");
  EXPECT_EQ(controls.label8, "1");
  browser.answers.push_back("/x");
  EXPECT_EQ(form.BrowseFolder(""), "/x");
  EXPECT_EQ(browser.titles.back(), "选择目录");
}

// An input method's commit, as both windows hand it over: each character let in is typed into
// the box at once.
class CommitTest : public Form1Test {
 protected:
  std::string Commit(TextBox box, std::string_view commit) {
    return form.RaiseCommit(box, commit,
                            [&](std::string_view typed) { controls.texts[box] += typed; });
  }
};

TEST_F(CommitTest, EachCharacterIsFilteredOnTheTextTheCharactersBeforeItMade) {
  EXPECT_EQ(Commit(TextBox::Text3, "1.2.3/-+e ,x"), "1.23/");
  EXPECT_EQ(controls.Text(TextBox::Text3), "1.23/");
  EXPECT_EQ(Commit(TextBox::Text3, ".4"), "4") << "the box already holds a point";
  EXPECT_EQ(Commit(TextBox::Text4, "中５.😀7"), ".7") << "wide characters never go in";
  EXPECT_EQ(Commit(TextBox::Text2, "1a./-+e 2"), "12");
  EXPECT_EQ(Commit(TextBox::Text5, "中a.😀"), "中a.😀") << "a box without a filter takes all";
}

using RunTest = RealFolderTest;

TEST_F(RunTest, TheCompletionBoxSaysWhereTheSummaryWentAndWhatIsSuspect) {
  data.Write("1.txt", "1\t2\r\n");
  EXPECT_EQ(Run(), "处理完毕\n\n汇总文件：" + SummaryPath() + "\n共写入 1 行");
  EXPECT_EQ(messages.shown.back().title, "提示");
  EXPECT_EQ(messages.shown.back().icon, MessageIcon::None);

  data.Write("2.txt", "1\tabc\r\n");
  data.Write("3.txt", "9\t1\r\n");
  EXPECT_EQ(Run(), "处理完毕\n\n汇总文件：" + SummaryPath() +
                       "\n共写入 3 行\n\n请留意：\n2.txt 第 1 行：Y 值“abc”不是一个数，按 0 比较\n"
                       "3.txt：横坐标范围内没有数据行，汇总中没有 X 和 Y");
  std::vector<Note> many(12, Note{"x.txt", 1, "n"});
  EXPECT_TRUE(CompletionText("/s.txt", 12, many).ends_with("x.txt 第 1 行：n\n……另有 2 条未列出"));
}

TEST_F(RunTest, AFailedRunIsShownOnceAndTheNextRunStartsClean) {
  data.Write("1.txt", "1\t2\r\n");
  controls.texts[TextBox::Text2] = "2";  // one heading too many
  EXPECT_EQ(Run(), "文件只有 1 行，不够忽略前 2 行\n文件：1.txt\n行号：2");
  EXPECT_EQ(messages.shown.back().title, "错误");
  EXPECT_FALSE(here.Read("out.txt"));

  controls.texts[TextBox::Text2] = "0";
  EXPECT_TRUE(Run().starts_with("处理完毕\n"));
  EXPECT_EQ(here.Read("out.txt"), "1\t1\t2\r\n");
}

// The example spectra, copied into the data folder, run as the README's first run: 990 ~ 1010,
// peak, no heading line, the summary named after the range.
class ExampleRunTest : public RealFolderTest {
 protected:
  ExampleRunTest() {
    std::filesystem::copy(ExampleSpectra(), data.path());
    controls.texts = {{TextBox::Text2, "0"},
                      {TextBox::Text3, "990"},
                      {TextBox::Text4, "1010"},
                      {TextBox::Text5, "990-1010"}};
  }
  // Presses "执行" in the data folder, as when the program was double-clicked there.
  std::string ClickInDataFolder() {
    CurrentDirectory cwd(data.path());
    form.Raise(Form1Event::Command2Click);
    return messages.shown.back().prompt;
  }
};

TEST_F(ExampleRunTest, TheCommittedSummaryAlsoOnASecondRunInTheDataFolder) {
  const std::string done =
      "处理完毕\n\n汇总文件：" + data.str() + kPathSeparator + "990-1010.txt\n共写入 4 行";
  Load();
  EXPECT_EQ(ClickInDataFolder(), done);
  EXPECT_EQ(data.Read("990-1010.txt"), ExampleSummary());
  Load();
  EXPECT_EQ(controls.label8, "5") << "the count takes in the summary";
  EXPECT_EQ(ClickInDataFolder(),
            done + "\n\n请留意：\n未读取 990-1010.txt：它就是本次要写的汇总文件");
  EXPECT_EQ(data.Read("990-1010.txt"), ExampleSummary());
}

// The range's checks are the batch's (tests/extract); the name's is Form1's own.
TEST_F(ExampleRunTest, AnEmptyNameIsRefusedAndNothingWritten) {
  controls.texts[TextBox::Text5] = "";
  EXPECT_EQ(Run(), "要保存的文件名为空");
  EXPECT_EQ(here.Entries(), 0);
}

}  // namespace
}  // namespace torvane
