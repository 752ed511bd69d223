#include "app/result_view.h"

#include <gtest/gtest.h>

#include "picture/svg.h"
#include "runtime/paths.h"
#include "support/real_folder_test.h"

namespace torvane {
namespace {

using namespace torvane::testing;

picture::Scene SceneOf(int panels, double width = 400, double height = 250) {
  picture::Scene scene;
  for (int i = 0; i < panels; ++i) {
    picture::Panel panel{std::to_string(i) + ".txt", width, height, {}};
    panel.items = {picture::FilledRect{0, 0, width, height, 0xFFFFFF},
                   picture::Line{{0, 0}, {width, height}, 0x222222, 1}};
    scene.panels.push_back(std::move(panel));
  }
  return scene;
}

TEST(ResultViewTest, TitleAndProposedSvgFollowTheSummary) {
  const std::string folder = std::string(1, kPathSeparator) + "光谱数据";
  const std::string summary = folder + kPathSeparator + "990-1010.txt";
  EXPECT_EQ(ResultWindowTitle(summary), "图表 - 990-1010.txt");
  SaveQuestion question = SvgSaveQuestion(summary);
  EXPECT_EQ(question.folder, folder);
  EXPECT_EQ(question.name, "990-1010.svg");
  EXPECT_EQ(question.extension, "svg");
  EXPECT_EQ(question.title, "另存为 SVG");

  // Only the last dot of the name goes; a dot in a folder's name stays.
  SaveQuestion dotted = SvgSaveQuestion(folder + ".v2" + kPathSeparator + "1.5-2.5.txt");
  EXPECT_EQ(dotted.folder, folder + ".v2");
  EXPECT_EQ(dotted.name, "1.5-2.5.svg");
  // A summary in a root folder keeps the root's separator.
  const std::string root = kPathSeparator == '\\' ? "C:\\" : "/";
  EXPECT_EQ(SvgSaveQuestion(root + "a-b.txt").folder, root);
  EXPECT_EQ(ResultWindowTitle(root + "a-b.txt"), "图表 - a-b.txt");
}

TEST(ResultViewTest, GridReflowsWithTheWidth) {
  picture::Scene scene = SceneOf(5);
  const double three = PanelGrid::Span(3, 400);  // 8 + 3 x 400 + 2 x 8 + 8
  EXPECT_EQ(three, 1232);
  EXPECT_EQ(PanelGrid::For(scene, three).columns, 3);
  EXPECT_EQ(PanelGrid::For(scene, three - 1).columns, 2);
  EXPECT_EQ(PanelGrid::For(scene, 100).columns, 1) << "never less than one column";
  EXPECT_EQ(PanelGrid::For(scene, 1e6).columns, 5) << "never more columns than panels";
  EXPECT_TRUE(PanelGrid::For({}, 1000).Between(0, 1000) == std::make_pair(0, 0));

  // A new window's room: three columns and two rows at most.
  EXPECT_EQ(PanelGrid::FirstRoom(scene).x, three);
  EXPECT_EQ(PanelGrid::FirstRoom(scene).y, 8 + 2 * 250 + 8 + 8);
  EXPECT_EQ(PanelGrid::FirstRoom(SceneOf(1)).x, 8 + 400 + 8);
  EXPECT_EQ(PanelGrid::FirstRoom(SceneOf(1)).y, 8 + 250 + 8);

  PanelGrid grid = PanelGrid::For(scene, 1000);
  ASSERT_EQ(grid.columns, 2);
  EXPECT_EQ(grid.Rows(), 3);
  EXPECT_EQ(grid.Width(), 8 + 400 + 8 + 400 + 8);
  EXPECT_EQ(grid.Height(), 8 + 3 * 250 + 2 * 8 + 8);
  EXPECT_EQ(grid.Origin(3).x, 8 + 400 + 8);
  EXPECT_EQ(grid.Origin(3).y, 8 + 250 + 8);

  // What a view shows: the panels of the rows it meets, and no more.
  EXPECT_TRUE(grid.Between(0, 10) == std::make_pair(0, 2));
  EXPECT_TRUE(grid.Between(270, 300) == std::make_pair(2, 4)) << "the second row only";
  EXPECT_TRUE(grid.Between(250, 270) == std::make_pair(0, 4)) << "the gap between two rows";
  EXPECT_TRUE(grid.Between(0, 1e6) == std::make_pair(0, 5)) << "the last row, half full";

  EXPECT_EQ(grid.At({10, 10}), 0);
  EXPECT_EQ(grid.At({420, 270}), 3);
  EXPECT_EQ(grid.At({410, 10}), -1) << "the gap between two columns";
  EXPECT_EQ(grid.At({420, 600}), -1) << "the empty cell after the last panel";
  EXPECT_EQ(grid.At({4, 10}), -1) << "the margin";
}

TEST(ResultViewTest, SaveSvgWritesTheSceneWhereTheDialogSays) {
  TempFolder folder;
  ResultContent content{SceneOf(4), folder.str() + kPathSeparator + "1-2.txt"};
  FakeSaveDialog dialog;
  FakeMessageBox messages;

  EXPECT_FALSE(SaveSvg(content, {dialog, messages})) << "a cancel";
  ASSERT_EQ(dialog.questions.size(), 1u);
  EXPECT_EQ(dialog.questions[0].folder, folder.str());
  EXPECT_EQ(dialog.questions[0].name, "1-2.svg");
  EXPECT_EQ(folder.Entries(), 0);

  dialog.answer = folder.str() + kPathSeparator + "图.svg";
  EXPECT_EQ(SaveSvg(content, {dialog, messages}), dialog.answer);
  EXPECT_EQ(folder.Read("图.svg"), picture::SceneSvg(content.scene, kSvgColumns));
  EXPECT_TRUE(messages.shown.empty());

  dialog.answer = folder.str() + kPathSeparator + "无此文件夹" + kPathSeparator + "x.svg";
  EXPECT_FALSE(SaveSvg(content, {dialog, messages}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "错误");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);
  EXPECT_NE(messages.shown[0].prompt.find("x.svg"), std::string::npos);
}

class ViewChartTest : public RealFolderTest {};

TEST_F(ViewChartTest, TheCompletionBoxOffersTheChartAndItsButtonOpensTheRunsPictures) {
  data.Write("10.txt", "1\t5\r\n2\t9\r\n");
  data.Write("9.txt", "7\t1\r\n");
  std::string prompt = Run();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].extra, "查看图表(&V)");
  EXPECT_TRUE(results.opened.empty()) << "closed with OK";

  messages.press_extra = true;
  EXPECT_EQ(Click(), prompt);
  ASSERT_EQ(results.opened.size(), 1u);
  EXPECT_EQ(results.opened[0].summary_path, SummaryPath());
  const picture::Scene& scene = results.opened[0].scene;
  ASSERT_EQ(scene.panels.size(), 2u);
  EXPECT_EQ(scene.panels[0].title, "9.txt") << "in run order";
  EXPECT_EQ(scene.panels[1].title, "10.txt");
  EXPECT_EQ(messages.shown.size(), 2u) << "no failure";
}

}  // namespace
}  // namespace torvane
