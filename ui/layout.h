#pragma once

#include <array>

namespace torvane::ui {

/// The kinds of control on the window.
enum class Kind { Frame, Label, TextBox, Option, Button };

/// Which font a control uses.
enum class FontRole { Window, Frame, Entry };

/// One control of the window as designed: positions and sizes in twips (15 to a pixel at 96
/// dots per inch); a frame's from the client area's top-left corner, a control's from its
/// frame's.
struct ControlLayout {
  const char* name;
  Kind kind;
  const char* parent;  // nullptr: the window itself
  const char* text;    // caption or initial text (UTF-8)
  int left, top, width, height;
  int tab_index;
  FontRole font;
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 6795;
inline constexpr int kClientHeightTwips = 7515;

/// Twips as pixels at 96 dots per inch; every length of the layout is a whole number of pixels.
constexpr int Pixels(int twips) {
  return twips / kTwipsPerPixel;
}

/// Every control, frame by frame from top to bottom, each frame followed by its controls. The
/// tab indices 0 to 23 are distinct; frames and labels take no focus, so only text boxes,
/// buttons and option buttons are visited, in tab-index order, the option buttons of a frame
/// forming one stop.
inline constexpr std::array<ControlLayout, 24> kLayout{{
    {"Frame1", Kind::Frame, nullptr, "步骤（1）", 240, 120, 6135, 1575, 0, FontRole::Frame},
    {"Label1", Kind::Label, "Frame1", "位置：", 120, 480, 615, 375, 3, FontRole::Window},
    {"Text1", Kind::TextBox, "Frame1", "", 720, 360, 5055, 495, 2, FontRole::Window},
    {"Command1", Kind::Button, "Frame1", "定位文件夹...", 720, 960, 1455, 495, 1, FontRole::Window},
    {"Label7", Kind::Label, "Frame1", "文本文件个数：", 2640, 1080, 1335, 255, 12,
     FontRole::Window},
    {"Label8", Kind::Label, "Frame1", "0", 4080, 1080, 855, 255, 13, FontRole::Window},
    {"Frame2", Kind::Frame, nullptr, "步骤（2）", 240, 1800, 6135, 975, 4, FontRole::Frame},
    {"Label2", Kind::Label, "Frame2", "忽略前几行？", 240, 480, 1095, 255, 5, FontRole::Window},
    {"Text2", Kind::TextBox, "Frame2", "0", 1320, 360, 855, 375, 6, FontRole::Entry},
    {"Frame3", Kind::Frame, nullptr, "步骤（3）", 240, 2880, 6135, 975, 7, FontRole::Frame},
    {"Label3", Kind::Label, "Frame3", "横坐标范围(含)：", 240, 480, 1455, 255, 8, FontRole::Window},
    {"Text3", Kind::TextBox, "Frame3", "", 1680, 360, 1935, 375, 14, FontRole::Entry},
    {"Label6", Kind::Label, "Frame3", "~", 3720, 480, 255, 255, 15, FontRole::Window},
    {"Text4", Kind::TextBox, "Frame3", "", 3960, 360, 1935, 375, 16, FontRole::Entry},
    {"Frame6", Kind::Frame, nullptr, "步骤（4）", 240, 3960, 6135, 975, 20, FontRole::Frame},
    {"Option1", Kind::Option, "Frame6", "取峰值", 480, 480, 1095, 255, 21, FontRole::Window},
    {"Option2", Kind::Option, "Frame6", "取谷值", 2280, 480, 1095, 255, 22, FontRole::Window},
    {"Frame4", Kind::Frame, nullptr, "步骤（5）", 240, 5040, 6135, 975, 9, FontRole::Frame},
    {"Label4", Kind::Label, "Frame4", "要保存的文件名：", 240, 480, 1575, 255, 10,
     FontRole::Window},
    {"Text5", Kind::TextBox, "Frame4", "", 1800, 360, 2535, 375, 17, FontRole::Entry},
    {"Label5", Kind::Label, "Frame4", ".txt", 4440, 480, 1095, 255, 11, FontRole::Window},
    {"Frame5", Kind::Frame, nullptr, "步骤（6）", 240, 6120, 6135, 1095, 18, FontRole::Frame},
    {"Command2", Kind::Button, "Frame5", "执行", 960, 360, 1575, 495, 19, FontRole::Window},
    {"Label9", Kind::Label, "Frame5", "(在程序目录下生成单个文件)", 3000, 600, 2415, 255, 23,
     FontRole::Window},
}};

constexpr bool WholePixelsAndDistinctTabIndices() {
  if (kClientWidthTwips % kTwipsPerPixel || kClientHeightTwips % kTwipsPerPixel) return false;
  for (const ControlLayout& a : kLayout) {
    for (int length : {a.left, a.top, a.width, a.height}) {
      if (length % kTwipsPerPixel) return false;
    }
    for (const ControlLayout& b : kLayout) {
      if (&a != &b && a.tab_index == b.tab_index) return false;
    }
  }
  return true;
}
static_assert(WholePixelsAndDistinctTabIndices());

}  // namespace torvane::ui
