#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace torvane::picture {

/// Lengths are device-independent pixels: 1/96 inch, y growing downwards, each panel's origin at
/// its top-left corner. A renderer scales them by its device's dots per inch over 96.

/// An opaque colour, 0xRRGGBB.
using Rgb = std::uint32_t;

struct Point {
  double x = 0, y = 0;
};

/// Connected line segments through `points`, `width` wide.
struct Polyline {
  std::vector<Point> points;
  Rgb color = 0;
  double width = 1;
};

/// An axis-aligned rectangle filled with `color`, without an outline.
struct FilledRect {
  double x = 0, y = 0, width = 0, height = 0;
  Rgb color = 0;
};

/// A straight line, `width` wide.
struct Line {
  Point from, to;
  Rgb color = 0;
  double width = 1;
};

/// A circle filled with `fill` and outlined in `outline`.
struct Circle {
  Point center;
  double radius = 0;
  Rgb fill = 0, outline = 0;
};

enum class Align { Left, Center, Right };

/// One line of text (UTF-8) whose baseline passes through `at`; `align` says which end of the
/// text, or its middle, lies at `at.x`. `size` is the font's em height.
struct Text {
  Point at;
  std::string text;
  double size = 12;
  Rgb color = 0;
  Align align = Align::Left;
  bool bold = false;
};

using Item = std::variant<FilledRect, Line, Polyline, Circle, Text>;

/// One data file's picture: its items, drawn in order, inside `width` x `height`.
struct Panel {
  std::string title;  ///< the data file's name (UTF-8)
  double width = 0, height = 0;
  std::vector<Item> items;
};

/// The pictures of one run: one panel per data file, in run order, all of one size.
struct Scene {
  std::vector<Panel> panels;
};

}  // namespace torvane::picture
