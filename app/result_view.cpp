#include "app/result_view.h"

#include <algorithm>
#include <cmath>

#include "picture/svg.h"
#include "runtime/failure.h"
#include "runtime/output_file.h"
#include "runtime/paths.h"

namespace torvane {
namespace {

// Where the file name of `path` starts: after its last separator (either kind on Windows).
std::size_t NameStart(const std::string& path) {
  std::size_t cut = path.find_last_of(kPathSeparator == '\\' ? "\\/" : "/");
  return cut == std::string::npos ? 0 : cut + 1;
}

}  // namespace

std::string ResultWindowTitle(const std::string& summary_path) {
  return "图表 - " + summary_path.substr(NameStart(summary_path));
}

SaveQuestion SvgSaveQuestion(const std::string& summary_path) {
  std::size_t start = NameStart(summary_path);
  std::string name = summary_path.substr(start);
  std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  std::string folder = summary_path.substr(0, start);
  // A folder keeps its separator only where it is a root ("/", "C:\").
  if (folder.size() > 1 && folder[folder.size() - 2] != ':') folder.pop_back();
  return {"另存为 SVG", folder, name + ".svg", "SVG 图片", "svg"};
}

std::optional<std::string> SaveSvg(const ResultContent& content, const ResultServices& services) {
  std::optional<std::string> path = services.save_dialog.Ask(SvgSaveQuestion(content.summary_path));
  if (!path) return std::nullopt;
  try {
    ReplaceFileContents(*path, picture::SceneSvg(content.scene, kSvgColumns), *path);
  } catch (const Failure& failure) {
    services.message_box.Show(DescribeFailure(failure), "错误", MessageIcon::Error);
    return std::nullopt;
  }
  return path;
}

PanelGrid PanelGrid::For(const picture::Scene& scene, double width) {
  PanelGrid grid;
  grid.count = static_cast<int>(scene.panels.size());
  if (grid.count == 0) return grid;
  grid.cell_width = scene.panels.front().width;
  grid.cell_height = scene.panels.front().height;
  double fits = std::floor((width - 2 * kMargin + kGap) / (grid.cell_width + kGap));
  grid.columns = static_cast<int>(std::clamp(fits, 1.0, static_cast<double>(grid.count)));
  return grid;
}

picture::Point PanelGrid::FirstRoom(const picture::Scene& scene) {
  PanelGrid grid = For(scene, Span(3, scene.panels.empty() ? 0 : scene.panels.front().width));
  return {grid.Width(), Span(std::min(grid.Rows(), 2), grid.cell_height)};
}

picture::Point PanelGrid::Origin(int index) const {
  return {kMargin + (index % columns) * (cell_width + kGap),
          kMargin + (index / columns) * (cell_height + kGap)};
}

std::pair<int, int> PanelGrid::Between(double top, double bottom) const {
  if (count == 0 || cell_height <= 0) return {0, 0};
  double pitch = cell_height + kGap;
  int first_row = static_cast<int>(std::floor((top - kMargin) / pitch));
  int last_row = static_cast<int>(std::floor((bottom - kMargin) / pitch));
  int first = std::clamp(first_row * columns, 0, count);
  int last = std::clamp((last_row + 1) * columns, 0, count);
  return {first, std::max(first, last)};
}

int PanelGrid::At(picture::Point at) const {
  if (count == 0) return -1;
  double column = std::floor((at.x - kMargin) / (cell_width + kGap));
  double row = std::floor((at.y - kMargin) / (cell_height + kGap));
  if (column < 0 || column >= columns || row < 0) return -1;
  int index = static_cast<int>(row) * columns + static_cast<int>(column);
  if (index >= count) return -1;
  picture::Point origin = Origin(index);
  bool inside = at.x < origin.x + cell_width && at.y < origin.y + cell_height;
  return inside ? index : -1;
}

}  // namespace torvane
