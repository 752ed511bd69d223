#pragma once

#include <array>
#include <string_view>

namespace torvane {

/// The window as designed, read by every front end: its caption, its client size and each
/// control with its kind, container, caption, place, tab index and font. Lengths are in twips,
/// 1440 to the inch; a frame's place is measured from the client area's top-left corner, a
/// control's from its frame's outer corner.

/// The kinds of control on the window.
enum class ControlKind { Frame, Label, TextBox, Option, Button };

/// A font as designed: face (UTF-8), size in points, weight (400 normal) and the Windows
/// character set (134: GB2312). None is italic, underlined or struck out.
struct FontDesign {
  const char* face;
  double points;
  int weight;
  int charset;
};

/// Which of the three fonts a control uses.
enum class FontRole { Window, Frame, Entry };

/// The window sets no font of its own; both front ends use the dialog font of a Chinese (code
/// page 936) desktop for it.
inline constexpr FontDesign kWindowFont{"宋体", 9, 400, 134};
inline constexpr FontDesign kFrameFont{"微软雅黑", 10.5, 400, 134};
inline constexpr FontDesign kEntryFont{"宋体", 12, 400, 134};

constexpr const FontDesign& FontOf(FontRole role) {
  return role == FontRole::Frame ? kFrameFont : role == FontRole::Entry ? kEntryFont : kWindowFont;
}

/// One control as designed.
struct ControlDesign {
  const char* name;
  ControlKind kind;
  const char* parent;  ///< nullptr: the window itself
  const char* text;    ///< caption or initial text (UTF-8)
  int left, top, width, height;
  int tab_index;
  FontRole font;
  bool locked = false;      ///< takes the focus and can be selected, but not edited
  bool multi_line = false;  ///< wraps a text wider than the box
  bool selected = false;    ///< an option button that starts selected
};

inline constexpr const char* kFormCaption = "Torvane";
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kClientWidthTwips = 6795;
inline constexpr int kClientHeightTwips = 7515;

/// Twips as pixels at `dpi` dots per inch, rounded to the nearest pixel: 15 twips a pixel at 96,
/// 10 at 144.
constexpr int TwipsToPixels(int twips, int dpi = 96) {
  long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled + kTwipsPerInch / 2) / kTwipsPerInch);
}

/// Every control, frame by frame from top to bottom, each frame followed by its controls. The
/// tab indices 0 to 23 are distinct; frames and labels take no focus, so only text boxes,
/// buttons and option buttons are visited, in tab-index order, the option buttons of a frame
/// forming one stop.
inline constexpr std::array<ControlDesign, 24> kDesign{{
    {"Frame1", ControlKind::Frame, nullptr, "步骤（1）", 240, 120, 6135, 1575, 0, FontRole::Frame},
    {"Label1", ControlKind::Label, "Frame1", "位置：", 120, 480, 615, 375, 3, FontRole::Window},
    {"Text1", ControlKind::TextBox, "Frame1", "", 720, 360, 5055, 495, 2, FontRole::Window,
     /*locked=*/true, /*multi_line=*/true},
    {"Command1", ControlKind::Button, "Frame1", "定位文件夹...", 720, 960, 1455, 495, 1,
     FontRole::Window},
    {"Label7", ControlKind::Label, "Frame1", "文本文件个数：", 2640, 1080, 1335, 255, 12,
     FontRole::Window},
    {"Label8", ControlKind::Label, "Frame1", "0", 4080, 1080, 855, 255, 13, FontRole::Window},
    {"Frame2", ControlKind::Frame, nullptr, "步骤（2）", 240, 1800, 6135, 975, 4, FontRole::Frame},
    {"Label2", ControlKind::Label, "Frame2", "忽略前几行？", 240, 480, 1095, 255, 5,
     FontRole::Window},
    {"Text2", ControlKind::TextBox, "Frame2", "0", 1320, 360, 855, 375, 6, FontRole::Entry},
    {"Frame3", ControlKind::Frame, nullptr, "步骤（3）", 240, 2880, 6135, 975, 7, FontRole::Frame},
    {"Label3", ControlKind::Label, "Frame3", "横坐标范围(含)：", 240, 480, 1455, 255, 8,
     FontRole::Window},
    {"Text3", ControlKind::TextBox, "Frame3", "", 1680, 360, 1935, 375, 14, FontRole::Entry},
    {"Label6", ControlKind::Label, "Frame3", "~", 3720, 480, 255, 255, 15, FontRole::Window},
    {"Text4", ControlKind::TextBox, "Frame3", "", 3960, 360, 1935, 375, 16, FontRole::Entry},
    {"Frame6", ControlKind::Frame, nullptr, "步骤（4）", 240, 3960, 6135, 975, 20, FontRole::Frame},
    {"Option1", ControlKind::Option, "Frame6", "取峰值", 480, 480, 1095, 255, 21, FontRole::Window,
     false, false, /*selected=*/true},
    {"Option2", ControlKind::Option, "Frame6", "取谷值", 2280, 480, 1095, 255, 22,
     FontRole::Window},
    {"Frame4", ControlKind::Frame, nullptr, "步骤（5）", 240, 5040, 6135, 975, 9, FontRole::Frame},
    {"Label4", ControlKind::Label, "Frame4", "要保存的文件名：", 240, 480, 1575, 255, 10,
     FontRole::Window},
    {"Text5", ControlKind::TextBox, "Frame4", "", 1800, 360, 2535, 375, 17, FontRole::Entry},
    {"Label5", ControlKind::Label, "Frame4", ".txt", 4440, 480, 1095, 255, 11, FontRole::Window},
    {"Frame5", ControlKind::Frame, nullptr, "步骤（6）", 240, 6120, 6135, 1095, 18,
     FontRole::Frame},
    {"Command2", ControlKind::Button, "Frame5", "执行", 960, 360, 1575, 495, 19, FontRole::Window},
    {"Label9", ControlKind::Label, "Frame5", "(在程序目录下生成单个文件)", 3000, 600, 2415, 255, 23,
     FontRole::Window},
}};

/// Whether a control of `kind` takes the keyboard focus.
constexpr bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::Frame && kind != ControlKind::Label;
}

constexpr bool WholePixelsAndDistinctTabIndices() {
  if (kClientWidthTwips % 15 != 0 || kClientHeightTwips % 15 != 0) return false;
  for (const ControlDesign& a : kDesign) {
    for (int length : {a.left, a.top, a.width, a.height}) {
      if (length % 15) return false;
    }
    // Every parent is designed. (Matched by name: GCC's undefined-behaviour sanitizer cannot
    // compare a pointer into the table with null in a constant expression.)
    bool parent_designed = a.parent == nullptr;
    for (const ControlDesign& b : kDesign) {
      if (&a != &b && a.tab_index == b.tab_index) return false;
      if (a.parent && std::string_view(a.parent) == b.name) parent_designed = true;
    }
    if (!parent_designed) return false;
  }
  return true;
}
static_assert(WholePixelsAndDistinctTabIndices());

}  // namespace torvane
