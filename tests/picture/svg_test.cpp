#include "picture/svg.h"

#include <gtest/gtest.h>

#include <string>

#include "support/xml.h"

namespace torvane::picture {
namespace {

using testing::XmlElement;
using testing::XmlParser;

Panel PanelTitled(const std::string& title) {
  Panel panel{title, 100, 50, {}};
  panel.items = {FilledRect{0, 0, 100, 50, 0xFFFFFF},
                 Line{{10, 40}, {90, 40}, 0x9A9A9A, 1},
                 Polyline{{{10, 40}, {50, 10.26}, {90, 39.96}}, 0x1F5FA8, 1},
                 Circle{{50, 10.26}, 4, 0xD62728, 0x7A1010},
                 Text{{5, 12}, title, 13, 0x222222, Align::Left, true},
                 Text{{95, 48}, "Y <1> & \"2\"", 11, 0x555555, Align::Right, false}};
  return panel;
}

TEST(SvgTest, AWholeSceneIsWellFormedWithEveryTextIntact) {
  const std::vector<std::string> titles{"a<b&c\"d'e>.txt",
                                        "光谱 样品（一）.txt",
                                        "tab\tand\x01"
                                        "control.txt",
                                        "bad\xff\xfe.txt",
                                        "overlong\xC0\xAF.txt",
                                        "surrogate\xED\xA0\x80.txt",
                                        "nonchar\xEF\xBF\xBE.txt"};
  Scene scene;
  for (const std::string& title : titles) scene.panels.push_back(PanelTitled(title));
  const std::string svg = SceneSvg(scene, 3, 8);

  std::unique_ptr<XmlElement> root;
  ASSERT_NO_THROW(root = XmlParser::Parse(svg)) << svg;
  EXPECT_EQ(root->name, "svg");
  EXPECT_EQ(root->attributes["xmlns"], "http://www.w3.org/2000/svg");
  EXPECT_EQ(root->attributes["width"], "316") << "three columns of 100 and two gaps";
  EXPECT_EQ(root->attributes["height"], "166") << "three rows of 50 and two gaps";
  ASSERT_EQ(root->children.size(), titles.size());
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const XmlElement& panel = *root->children[i];
    EXPECT_EQ(panel.attributes.at("x"), std::to_string(i % 3 * 108));
    EXPECT_EQ(panel.attributes.at("y"), std::to_string(i / 3 * 58));
    EXPECT_EQ(panel.All("polyline").size(), 1u);
    EXPECT_EQ(panel.All("polyline")[0]->attributes.at("points"), "10,40 50,10.3 90,40");
    EXPECT_EQ(panel.All("circle").size(), 1u);
    EXPECT_EQ(panel.All("line").size(), 1u);
    EXPECT_EQ(panel.All("rect").size(), 1u);
    const auto texts = panel.All("text");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->attributes.at("font-weight"), "bold");
    EXPECT_EQ(texts[1]->attributes.at("text-anchor"), "end");
    EXPECT_EQ(texts[1]->text, "Y <1> & \"2\"");
  }
  auto title = [&](std::size_t i) { return root->children[i]->All("text")[0]->text; };
  EXPECT_EQ(title(0), titles[0]);
  EXPECT_EQ(title(1), titles[1]);
  EXPECT_EQ(title(2), "tab\u2409and\u2401control.txt");
  EXPECT_EQ(title(3), "bad\uFFFD\uFFFD.txt");
  EXPECT_EQ(title(4), "overlong\uFFFD\uFFFD.txt");
  EXPECT_EQ(title(5), "surrogate\uFFFD\uFFFD\uFFFD.txt");
  EXPECT_EQ(title(6), "nonchar\uFFFD\uFFFD\uFFFD.txt");
  EXPECT_EQ(root->children[0]->All("title")[0]->text, titles[0]);
}

TEST(SvgTest, AnEmptySceneAndAnInlinePanelAreWellFormedToo) {
  EXPECT_NO_THROW(XmlParser::Parse(SceneSvg({}, 4)));
  const std::string inline_svg = InlinePanelSvg(PanelTitled("样品&1"), "p1");
  EXPECT_EQ(inline_svg.find("http"), std::string::npos) << "no namespace inside HTML";
  std::unique_ptr<XmlElement> root;
  ASSERT_NO_THROW(root = XmlParser::Parse(inline_svg));
  EXPECT_EQ(root->attributes["id"], "p1");
  EXPECT_EQ(root->attributes["viewBox"], "0 0 100 50");
  EXPECT_EQ(root->All("text")[0]->text, "样品&1");
}

}  // namespace
}  // namespace torvane::picture
