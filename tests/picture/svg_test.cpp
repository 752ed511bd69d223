#include "picture/svg.h"

#include <gtest/gtest.h>

#include <string>

// Well-formedness of real output is xmllint's: tests/cli/program_test.cmake checks a report.

namespace torvane::picture {
namespace {

Panel PanelTitled(const std::string& title) {
  Panel panel{title, 100, 50, {}};
  panel.items = {FilledRect{0, 0, 100, 50, 0xFFFFFF}, Line{{10, 40}, {90, 40}, 0x9A9A9A, 1},
                 Polyline{{{10, 40}, {50, 10.26}, {90, 39.96}}, 0x1F5FA8, 1},
                 Circle{{50, 10.26}, 4, 0xD62728, 0x7A1010},
                 Text{{95, 48}, "a<b&c\"d'e>", 11, 0x555555, Align::Right, true}};
  return panel;
}

TEST(SvgTest, EveryTextIsEscapedAndHoldsOnlyCharactersXmlAllows) {
  const std::pair<std::string, std::string> cases[] = {
      {"a<b&c\"d'e>.txt", "a&lt;b&amp;c&quot;d&#39;e&gt;.txt"},
      {"光谱 样品（一）.txt", "光谱 样品（一）.txt"},
      {"tab\tand\001control\x7F.txt", "tab\u2409and\u2401control\u2421.txt"},
      {"bad\xff\xfe.txt", "bad\uFFFD\uFFFD.txt"},
      {"overlong\xC0\xAF.txt", "overlong\uFFFD\uFFFD.txt"},
      {"surrogate\xED\xA0\x80.txt", "surrogate\uFFFD\uFFFD\uFFFD.txt"},
      {"nonchar\xEF\xBF\xBE.txt", "nonchar\uFFFD\uFFFD\uFFFD.txt"}};
  for (const auto& [raw, escaped] : cases) EXPECT_EQ(Escaped(raw), escaped) << raw;
}

// The opening tag's attributes, after the font list, and what follows.
std::string AfterFonts(const std::string& svg) {
  return svg.substr(svg.find("\" width=") + 2);
}

TEST(SvgTest, APanelIsItsItemsInOrderAndASceneLaysThePanelsOutInAGrid) {
  const std::string panel = InlinePanelSvg(PanelTitled("样品&1"), "p1");
  EXPECT_TRUE(panel.starts_with("<svg id=\"p1\" font-family=\"")) << "no namespace inside HTML";
  EXPECT_EQ(
      AfterFonts(panel),
      "width=\"100\" height=\"50\" viewBox=\"0 0 100 50\"><title>样品&amp;1</title>\n"
      "<rect x=\"0\" y=\"0\" width=\"100\" height=\"50\" fill=\"#ffffff\"/>\n"
      "<line x1=\"10\" y1=\"40\" x2=\"90\" y2=\"40\" stroke=\"#9a9a9a\" stroke-width=\"1\"/>\n"
      "<polyline fill=\"none\" stroke-linejoin=\"round\" stroke=\"#1f5fa8\" "
      "stroke-width=\"1\" points=\"10,40 50,10.3 90,40\"/>\n"
      "<circle cx=\"50\" cy=\"10.3\" r=\"4\" fill=\"#d62728\" stroke=\"#7a1010\"/>\n"
      "<text x=\"95\" y=\"48\" font-size=\"11\" fill=\"#555555\" text-anchor=\"end\" "
      "font-weight=\"bold\">a&lt;b&amp;c&quot;d&#39;e&gt;</text>\n</svg>\n");

  Scene scene;
  for (int i = 0; i < 7; ++i) scene.panels.push_back(PanelTitled(std::to_string(i)));
  const std::string svg = SceneSvg(scene, 3, 8);
  EXPECT_TRUE(
      svg.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"316\" "
                      "height=\"166\" viewBox=\"0 0 316 166\" font-family=\""))
      << "three columns of 100 and three rows of 50, two gaps of 8 each way";
  for (int i = 0; i < 7; ++i) {
    const std::string at = "<svg x=\"" + std::to_string(i % 3 * 108) + "\" y=\"" +
                           std::to_string(i / 3 * 58) + "\" " +
                           AfterFonts(InlinePanelSvg(scene.panels[i]));
    EXPECT_NE(svg.find(at), std::string::npos) << i;
  }
  EXPECT_TRUE(svg.ends_with("</svg>\n</svg>\n"));
  EXPECT_TRUE(AfterFonts(SceneSvg({}, 4)).starts_with("width=\"0\" height=\"0\""));
}

}  // namespace
}  // namespace torvane::picture
