#pragma once

#include <optional>
#include <string>

#include "app/services.h"
#include "picture/scene.h"

namespace torvane {

/// The texts of the result window and of the completion box's extra button.
inline constexpr const char* kViewChartCaption = "查看图表(&V)";
inline constexpr const char* kSaveSvgCaption = "另存为 SVG…";
inline constexpr const char* kCopyPictureCaption = "复制图片";

/// How many columns of panels a picture saved as SVG has.
inline constexpr int kSvgColumns = 3;

/// What the platform's save dialog is asked: its title, the folder and file name it proposes, and
/// the one kind of file it offers (a description and the extension without its dot). UTF-8.
struct SaveQuestion {
  std::string title;
  std::string folder;
  std::string name;
  std::string type_description;
  std::string extension;
};

/// The platform's modal save dialog, owned by a window. It asks before replacing a file.
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  /// Shows the dialog and returns the chosen path (UTF-8), or nothing when the user cancelled.
  virtual std::optional<std::string> Ask(const SaveQuestion& question) = 0;
};

/// What a result window shows: the pictures of one run and the summary file it wrote (its
/// absolute path, UTF-8).
struct ResultContent {
  picture::Scene scene;
  std::string summary_path;
};

/// Opens result windows; each stays open, not modal, beside the program's window.
class ResultWindows {
 public:
  virtual ~ResultWindows() = default;
  virtual void Open(ResultContent content) = 0;
};

/// "图表 - " followed by the summary's file name.
std::string ResultWindowTitle(const std::string& summary_path);

/// The save dialog's question for the picture as SVG: the summary's folder, and its name with
/// ".svg" in place of its ".txt".
SaveQuestion SvgSaveQuestion(const std::string& summary_path);

/// What a result window reaches outside itself.
struct ResultServices {
  SaveDialog& save_dialog;
  MessageBox& message_box;
};

/// Asks the save dialog where to save `content`'s picture as SVG and writes it there, all or
/// nothing. A failure is shown in one "错误" box. Returns the path written, or nothing.
std::optional<std::string> SaveSvg(const ResultContent& content, const ResultServices& services);

/// What the result window says when the picture could not be put on the clipboard.
inline constexpr const char* kCopyFailedText = "无法把图片放到剪贴板上，请稍后再试";

/// The panels of a scene in a grid of equal cells as wide as a window allows, in
/// device-independent pixels: a margin around the grid and a gap between cells. Row by row, left
/// to right, in run order; at least one column.
struct PanelGrid {
  static constexpr double kMargin = 8, kGap = 8;

  double cell_width = 0, cell_height = 0;
  int columns = 1;
  int count = 0;

  /// The grid of `scene`'s panels for a view `width` wide.
  static PanelGrid For(const picture::Scene& scene, double width);

  /// The length of `cells` cells `cell` long in a row or a column, margins included.
  static double Span(int cells, double cell) {
    return 2 * kMargin + cells * cell + (cells > 0 ? cells - 1 : 0) * kGap;
  }

  /// The room a window first gives `scene`'s panels: up to three columns and two rows.
  static picture::Point FirstRoom(const picture::Scene& scene);

  int Rows() const { return (count + columns - 1) / columns; }
  /// The whole grid's size, margins included.
  double Width() const { return Span(columns, cell_width); }
  double Height() const { return Span(Rows(), cell_height); }
  /// The top-left corner of panel `index`.
  picture::Point Origin(int index) const;
  /// The panels that meet the rows between `top` and `bottom`: [first, last).
  std::pair<int, int> Between(double top, double bottom) const;
  /// The panel under `at`, or -1.
  int At(picture::Point at) const;
};

}  // namespace torvane
