#include "picture/chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "picture/decimator.h"
#include "support/fakes.h"

namespace torvane::picture {
namespace {

using namespace torvane::testing;
using Files = std::vector<std::pair<std::string, std::string>>;

template <typename T>
std::vector<T> ItemsOf(const Panel& panel) {
  std::vector<T> found;
  for (const Item& item : panel.items) {
    if (const T* t = std::get_if<T>(&item)) found.push_back(*t);
  }
  return found;
}

bool HasText(const Panel& panel, const std::string& wanted) {
  const std::vector<Text> texts = ItemsOf<Text>(panel);
  return std::any_of(texts.begin(), texts.end(), [&](const Text& t) { return t.text == wanted; });
}

// The plot area, from the two axis lines.
struct Plot {
  double left = 0, right = 0, top = 0, bottom = 0;
};
Plot PlotOf(const Panel& panel) {
  Plot plot;
  for (const Line& line : ItemsOf<Line>(panel)) {
    if (line.color != kFrameColor) continue;
    if (line.from.x == line.to.x) {
      plot.left = line.from.x, plot.top = std::min(line.from.y, line.to.y);
    } else {
      plot.right = std::max(line.from.x, line.to.x), plot.bottom = line.from.y;
    }
  }
  return plot;
}

// Every point of every item, which must all be finite and inside the panel.
void ExpectDrawable(const Panel& panel) {
  std::vector<Point> points;
  for (const Item& item : panel.items) {
    if (auto* p = std::get_if<Polyline>(&item))
      points.insert(points.end(), p->points.begin(), p->points.end());
    if (auto* l = std::get_if<Line>(&item)) points.insert(points.end(), {l->from, l->to});
    if (auto* c = std::get_if<Circle>(&item)) points.push_back(c->center);
    if (auto* r = std::get_if<FilledRect>(&item)) {
      points.insert(points.end(), {{r->x, r->y}, {r->x + r->width, r->y + r->height}});
    }
    if (auto* t = std::get_if<Text>(&item)) points.push_back(t->at);
  }
  for (const Point& p : points) {
    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << panel.title;
    EXPECT_TRUE(p.x >= 0 && p.x <= panel.width && p.y >= 0 && p.y <= panel.height)
        << panel.title << " " << p.x << "," << p.y;
  }
}

class ChartTest : public ::testing::Test {
 protected:
  // Runs the batch over `files`, in their order, with the range from ~ to, and builds the scene.
  Scene Build(const Files& files, const std::string& from, const std::string& to,
              const std::string& heading = "0") {
    request.folder_path = folder.str();
    request.names.clear();
    for (const auto& [name, content] : files) {
      folder.Write(name, content);
      request.names.push_back(name);
    }
    request.start_text = from;
    request.end_text = to;
    request.heading_text = heading;
    RunOptions options;
    options.keep_going = true;
    outcomes = CollectResults(request, options);
    return BuildScene(request, outcomes);
  }

  TempFolder folder;
  BatchRequest request;
  std::vector<FileOutcome> outcomes;
};

// Rows x = first, first + step, ... with pseudo-random Y values.
std::string NoisyRows(int count, double first, double step) {
  std::string text = "X\tY\r\n";
  unsigned state = 12345;
  for (int i = 0; i < count; ++i) {
    state = state * 1103515245u + 12345u;
    text += std::to_string(first + i * step) + "\t" + std::to_string((state >> 8) % 10000) + "\r\n";
  }
  return text;
}

TEST(DecimatorTest, KeepsEveryColumnsFirstLastLowestHighestAndTheChosenRow) {
  TempFolder folder;
  ReadBuffer buffer;
  for (const double step : {0.01, -0.01}) {
    const std::string path = folder.Write("1.txt", NoisyRows(5000, step > 0 ? 0 : 49.99, step));
    const long chosen = 2501;  // a row inside the view that is no extreme of its column
    Decimator decimator(10, 40, 37, chosen);
    VisitDataFile(path, "1.txt", "1", decimator, nullptr, {}, buffer);
    const std::vector<Sample> curve = decimator.Curve();

    // What each column must keep, found from every row.
    struct Expected {
      Sample first, last, low, high;
      bool seen = false;
    };
    std::map<std::size_t, Expected> columns;
    struct All : RowVisitor {
      std::vector<Sample> rows;
      bool Wants(double x) const override { return x >= 10 && x <= 40; }
      void Visit(double x, double y, long line) override { rows.push_back({x, y, line}); }
    } every;
    VisitDataFile(path, "1.txt", "1", every, nullptr, {}, buffer);
    bool chosen_is_extreme = false;
    for (const Sample& s : every.rows) {
      Expected& e = columns[decimator.Column(s.x)];
      if (!e.seen) e = {s, s, s, s, true};
      e.last = s;
      if (s.y < e.low.y) e.low = s;
      if (s.y > e.high.y) e.high = s;
    }
    std::set<long> kept;
    for (const Sample& s : curve) kept.insert(s.line);
    for (const auto& [column, e] : columns) {
      for (const Sample& s : {e.first, e.last, e.low, e.high}) {
        EXPECT_TRUE(kept.count(s.line))
            << "step " << step << ", column " << column << ", line " << s.line;
        chosen_is_extreme |= s.line == chosen;
      }
    }
    ASSERT_FALSE(chosen_is_extreme) << "the test needs a chosen row that is no extreme";
    EXPECT_TRUE(kept.count(chosen)) << "step " << step;
    EXPECT_LE(curve.size(), 4u * 37 + 1) << "at most four rows a column, and the chosen one";
    EXPECT_TRUE(std::is_sorted(curve.begin(), curve.end(),
                               [](const Sample& a, const Sample& b) { return a.x < b.x; }))
        << "X grows to the right whatever the file's order; step " << step;
    for (const Sample& s : curve) EXPECT_TRUE(s.x >= 10 && s.x <= 40) << s.x;
  }
}

TEST_F(ChartTest, TheBandSpansTheRangeInTheRangeWidenedByHalfItsWidthClippedToTheFile) {
  std::string rows;
  for (int x = 0; x <= 100; ++x) rows += std::to_string(x) + "\t" + std::to_string(x % 7) + "\n";
  struct Case {
    std::string from, to;
    double view_low, view_high;
  };
  for (const Case& c : {Case{"40", "60", 30, 70}, Case{"0", "20", 0, 30},
                        Case{"90", "100", 85, 100}, Case{"-100", "300", 0, 100}}) {
    const Scene scene = Build({{"1.txt", rows}}, c.from, c.to);
    ASSERT_EQ(scene.panels.size(), 1u);
    const Panel& panel = scene.panels[0];
    const Plot plot = PlotOf(panel);
    auto at = [&](double x) {
      return plot.left + (x - c.view_low) / (c.view_high - c.view_low) * (plot.right - plot.left);
    };
    std::vector<FilledRect> bands;
    for (const FilledRect& r : ItemsOf<FilledRect>(panel)) {
      if (r.color == kBandColor) bands.push_back(r);
    }
    ASSERT_EQ(bands.size(), 1u) << c.from;
    const double from = std::max(std::stod(c.from), c.view_low);
    const double to = std::min(std::stod(c.to), c.view_high);
    EXPECT_NEAR(bands[0].x, at(from), 1e-6) << c.from;
    EXPECT_NEAR(bands[0].x + bands[0].width, at(to), 1e-6) << c.from;
    EXPECT_NEAR(bands[0].y, plot.top, 1e-6);
    EXPECT_NEAR(bands[0].y + bands[0].height, plot.bottom, 1e-6);
    EXPECT_TRUE(HasText(panel, std::to_string(static_cast<int>(c.view_low)))) << c.from;
    EXPECT_TRUE(HasText(panel, std::to_string(static_cast<int>(c.view_high)))) << c.from;
    const std::vector<Polyline> curves = ItemsOf<Polyline>(panel);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_NEAR(curves[0].points.front().x, plot.left, 1e-6) << c.from;
    EXPECT_NEAR(curves[0].points.back().x, plot.right, 1e-6) << c.from;
    ExpectDrawable(panel);
  }
}

TEST_F(ChartTest, TheChosenRowIsMarkedOnTheCurveWithItsTextsAsWritten) {
  // X falls in the file; the peak 9,0E1 (compared as 9) on line 4 is chosen.
  const Scene scene =
      Build({{"1.txt", "x y\r\n5\t1\r\n4\t3\r\n3.00\t9,0E1  \r\n2\t2\r\n1\t0\r\n"}}, "2", "4", "1");
  const Panel& panel = scene.panels[0];
  const std::vector<Circle> points = ItemsOf<Circle>(panel);
  ASSERT_EQ(points.size(), 1u);
  const std::vector<Polyline> curves = ItemsOf<Polyline>(panel);
  ASSERT_EQ(curves.size(), 1u);
  const std::vector<Point>& curve = curves[0].points;
  EXPECT_TRUE(std::is_sorted(curve.begin(), curve.end(),
                             [](const Point& a, const Point& b) { return a.x < b.x; }));
  EXPECT_EQ(curve.size(), 5u);
  EXPECT_TRUE(std::any_of(curve.begin(), curve.end(), [&](const Point& p) {
    return p.x == points[0].center.x && p.y == points[0].center.y;
  })) << "the chosen point lies on the curve";
  EXPECT_EQ(std::min_element(curve.begin(), curve.end(),
                             [](const Point& a, const Point& b) { return a.y < b.y; })
                ->x,
            points[0].center.x)
      << "the compared value 9 is the top of the curve";
  bool vertical = false;
  for (const Line& line : ItemsOf<Line>(panel)) {
    vertical |= line.color == kPickColor && line.from.x == points[0].center.x &&
                line.to.x == points[0].center.x;
  }
  EXPECT_TRUE(vertical);
  EXPECT_TRUE(HasText(panel, "X 3.00"));
  EXPECT_TRUE(HasText(panel, "Y 9,0E1"));
  EXPECT_EQ(panel.title, "1.txt");
}

TEST_F(ChartTest, PanelsFollowTheRunOrderUnderTheFilesRealNames) {
  const Files files{{"10.txt", "1\t1\n"}, {"9.txt", "1\t2\n"}, {"样品 A.txt", "1\t3\n"}};
  Build(files, "0", "2");
  // A name no Windows file may have, which the summary writes as "b?c".
  FileOutcome left_out;
  left_out.name =
      "b\x01"
      "c.txt";
  left_out.failure = Failure(FailureKind::FileNotFound);
  outcomes.push_back(left_out);
  const Scene scene = BuildScene(request, outcomes);
  ASSERT_EQ(scene.panels.size(), outcomes.size());
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    EXPECT_EQ(scene.panels[i].title, outcomes[i].name);
    EXPECT_TRUE(HasText(scene.panels[i], outcomes[i].name));
    if (i < files.size()) {
      EXPECT_TRUE(HasText(scene.panels[i], "Y " + std::to_string(i + 1)));
    }
  }
}

TEST_F(ChartTest, APanelWithoutAChosenRowSaysWhy) {
  const Files files{{"out.txt", "1\t5\n3\t6\n"},
                    {"empty.txt", ""},
                    {"one column.txt", "abc\r\n123\r\n"},
                    {"short.txt", ""},
                    {"gone.txt", "5\t1\n"}};
  Build(files, "4", "6");
  // The run read "short.txt" with a heading line it lacks; "gone.txt" went after the run.
  request.heading_text = "0";
  outcomes[3].failure = Failure(FailureKind::InputPastEndOfFile, "文件只有 0 行");
  std::filesystem::remove(folder.path() / "gone.txt");
  const Scene scene = BuildScene(request, outcomes);
  const std::vector<std::string> reasons{"范围内没有数据行", "范围内没有数据行",
                                         "没有一行分得出 X 和 Y 两列", "文件只有 0 行", ""};
  for (std::size_t i = 0; i < files.size(); ++i) {
    const Panel& panel = scene.panels[i];
    EXPECT_TRUE(ItemsOf<Circle>(panel).empty()) << panel.title;
    std::vector<Text> said;
    for (const Text& text : ItemsOf<Text>(panel)) {
      if (text.color == kReasonColor) said.push_back(text);
    }
    ASSERT_EQ(said.size(), 1u) << panel.title;
    if (!reasons[i].empty()) {
      EXPECT_EQ(said[0].text, reasons[i]) << panel.title;
    }
    ExpectDrawable(panel);
  }
  EXPECT_EQ(ItemsOf<Polyline>(scene.panels[0]).size(), 1u) << "rows beside the range are drawn";
}

TEST_F(ChartTest, OddValuesStillDrawInsideThePlot) {
  struct Case {
    std::string name, rows;
    bool pick_on_top;
  };
  const std::vector<Case> cases{
      {"one row.txt", "5\t7\n", true},
      {"flat.txt", "1\t3\n2\t3\n3\t3\n4\t3\n", false},
      {"infinite.txt", "1\t2\n2\t1e999\n3\t-1e999\n4\t5\n", true},
      {"all infinite.txt", "1\t1e999\n2\t1e999\n", true},
      {"infinite x.txt", "-1e999\t1\n1e999\t2\n5\t3\n", false},
      {"huge.txt", "1\t-1.7e308\n2\t1.7e308\n", false},
  };
  for (const Case& c : cases) {
    const Scene scene = Build({{c.name, c.rows}}, "0", "10");
    const Panel& panel = scene.panels[0];
    SCOPED_TRACE(c.name);
    ExpectDrawable(panel);
    const std::vector<Circle> points = ItemsOf<Circle>(panel);
    ASSERT_EQ(points.size(), 1u);
    const Plot plot = PlotOf(panel);
    EXPECT_GE(points[0].center.y, plot.top);
    EXPECT_LE(points[0].center.y, plot.bottom);
    if (c.pick_on_top && c.name != "one row.txt") {
      EXPECT_EQ(points[0].center.y, plot.top);
    }
    const std::vector<Polyline> curves = ItemsOf<Polyline>(panel);
    ASSERT_EQ(curves.size(), 1u);
    if (c.name == "huge.txt") {
      EXPECT_LT(curves[0].points[1].y, curves[0].points[0].y) << "the largest Y is drawn higher";
    }
  }
}

}  // namespace
}  // namespace torvane::picture
