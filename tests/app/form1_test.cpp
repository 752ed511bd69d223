#include "app/form1.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;

class Form1Test : public ::testing::Test {
 protected:
  Form1Test() { location.folder = "/prog"; }

  FakeControls controls;
  FakeMessageBox messages;
  FakeFolderBrowser browser;
  FakeLocation location;
  FakeLister lister;
  Form1 form{{controls, messages, browser, location, lister}};
};

TEST_F(Form1Test, StartUpCataloguesTheProgramsFolder) {
  lister.names["/prog/*.txt"] = {"10.txt", "9.txt", "a.txt", "B.TXT"};
  form.Raise(Form1Event::Load);
  EXPECT_EQ(form.FolderPath, "/prog");
  EXPECT_EQ(controls.Text(TextBox::Text1), "/prog");
  EXPECT_EQ(controls.label8, "4");  // the catalogue's order is pinned by its own tests

  for (int i = 0; i < 201; ++i) lister.names["/prog/*.txt"].push_back(std::to_string(i) + ".txt");
  form.Raise(Form1Event::Load);
  EXPECT_EQ(controls.label8, "205") << "more than 200 names are counted";
  EXPECT_TRUE(messages.shown.empty());
}

// Every key code on empty boxes; a second point and the keyboard's events are tested on the window.
TEST_F(Form1Test, NumberFieldsTakeOnlyTheirCharacters) {
  for (TextBox box : {TextBox::Text2, TextBox::Text3, TextBox::Text4}) {
    controls.texts[box] = "";
    for (int code = -32768; code <= 32767; ++code) {
      int16_t key = static_cast<int16_t>(code);
      form.RaiseKeyPress(box, key);
      const bool kept = code == 8 || (code >= '0' && code <= '9') ||
                        (box != TextBox::Text2 && (code == '.' || code == '/'));
      ASSERT_EQ(key, kept ? code : 0) << code;
    }
  }
}

class FolderPickTest : public Form1Test {
 protected:
  FolderPickTest() {
    lister.names["/prog/*.txt"] = {"1.txt"};
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

TEST_F(FolderPickTest, AChosenFolderReplacesTheCatalogue) {
  lister.names["/data/*.txt"] = {"10.txt", "2.txt", "x.txt"};
  EXPECT_EQ(Pick("/data"), "/data/*.txt");
  EXPECT_EQ(browser.titles.back(), "请选择一个文件夹：");
  EXPECT_EQ(browser.starts.back(), "/prog") << "the browser opens at the current folder";
  EXPECT_EQ(form.FolderPath, "/data");
  EXPECT_EQ(controls.Text(TextBox::Text1), "/data");
  EXPECT_EQ(controls.label8, "3");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FolderPickTest, CancelKeepsTheFolderAndRebuildsFromIt) {
  lister.names["/prog/*.txt"] = {"1.txt", "2.txt"};  // the folder changed meanwhile
  controls.texts[TextBox::Text1] = "edited";
  EXPECT_EQ(Pick(std::nullopt), "/prog/*.txt");
  EXPECT_EQ(form.FolderPath, "/prog");
  EXPECT_EQ(controls.Text(TextBox::Text1), "/prog");
  EXPECT_EQ(controls.label8, "2");
  EXPECT_TRUE(messages.shown.empty()) << "the pick reports nothing";
}

TEST_F(FolderPickTest, PathLimitCountsCodePageBytes) {
  std::string chinese;
  for (int i = 0; i < 125; ++i) chinese += "数";  // 250 bytes in code page 936
  std::string longest = "/" + chinese + "/ab";    // 254 bytes
  std::string too_long = "/" + chinese + "/abc";  // 255 bytes
  lister.names[longest + "/*.txt"] = {"a.txt", "b.txt"};

  EXPECT_EQ(Pick(longest), longest + "/*.txt");
  EXPECT_EQ(form.FolderPath, longest);
  EXPECT_EQ(controls.label8, "2");

  EXPECT_EQ(Pick(too_long), longest + "/*.txt") << "refused: the previous folder stays";
  EXPECT_EQ(form.FolderPath, longest);
  EXPECT_EQ(controls.Text(TextBox::Text1), longest);
  EXPECT_EQ(controls.label8, "2");

  EXPECT_EQ(Pick("/emoji\xF0\x9F\x98\x80"), longest + "/*.txt")
      << "a character the code page lacks is refused the same way";
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FolderPickTest, RootFolderDoublesTheSeparator) {
  lister.names["//*.txt"] = {"r.txt"};
  EXPECT_EQ(Pick("/"), "//*.txt");
  EXPECT_EQ(controls.Text(TextBox::Text1), "/");
  EXPECT_EQ(controls.label8, "1");
}

TEST_F(Form1Test, BrowseWithAnEmptyTitleShowsTheDefaultTitle) {
  browser.answers.push_back("/x");
  EXPECT_EQ(form.BrowseFolder(""), "/x");
  EXPECT_EQ(browser.titles.back(), "选择目录");
  EXPECT_EQ(form.BrowseFolder("t"), "") << "a cancel gives the empty text";
}

TEST_F(Form1Test, AFailedRunIsShownOnceAndTheNextRunStartsClean) {
  TempFolder data;
  data.Write("1.txt", "1\t2\r\n");
  location.folder = data.str();
  lister.names[data.str() + "/*.txt"] = {"1.txt"};
  form.Raise(Form1Event::Load);
  controls.texts = {{TextBox::Text2, "2"},  // one heading too many
                    {TextBox::Text3, "0"},
                    {TextBox::Text4, "5"},
                    {TextBox::Text5, (data.path() / "out").string()}};

  form.Raise(Form1Event::Command2Click);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "错误");
  EXPECT_NE(messages.shown[0].prompt.find("1.txt"), std::string::npos);
  EXPECT_NE(messages.shown[0].prompt.find("行号：2"), std::string::npos);
  EXPECT_FALSE(data.Read("out.txt"));

  controls.texts[TextBox::Text2] = "0";
  form.Raise(Form1Event::Command2Click);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].prompt, "处理完毕");
  EXPECT_EQ(messages.shown[1].title, "提示");
  EXPECT_EQ(messages.shown[1].icon, MessageIcon::None);
  EXPECT_EQ(data.Read("out.txt"), "1\t1\t2\r\n");
}

}  // namespace
}  // namespace torvane
