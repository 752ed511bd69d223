#pragma once

#include <string>
#include <vector>

#include "extract/batch_run.h"
#include "picture/scene.h"

namespace torvane::picture {

/// The picture's colours.
inline constexpr Rgb kBackgroundColor = 0xFFFFFF;  ///< each panel's ground
inline constexpr Rgb kFrameColor = 0x9A9A9A;       ///< the X and Y axes
inline constexpr Rgb kBandColor = 0xFDE3A7;        ///< the range
inline constexpr Rgb kCurveColor = 0x1F5FA8;       ///< the file's curve
inline constexpr Rgb kPickColor = 0xD62728;        ///< the chosen row: line, point and texts
inline constexpr Rgb kReasonColor = 0xA03010;      ///< why a panel has no chosen row

/// How the scene of a run is built.
struct ChartOptions {
  /// Every panel's size, in device-independent pixels.
  double panel_width = 400, panel_height = 250;
  /// Files read at the same time (at least 1); the panels keep the run order.
  int jobs = 1;
};

/// The scene of a finished run: one panel per file of `outcomes` (the result of
/// CollectResults(request, ...)), in run order. Each panel is titled with the file's name and
/// shows the file's curve over the range widened by half its width on each side (clipped to the
/// X extent of the file's rows), X growing to the right and Y scaled to the values shown, the
/// range as a shaded band, and the chosen row as a marked point with a vertical line and its X
/// and Y texts as written in the file. A file without a row in range, without a row of two
/// columns, or left out by a failure shows the reason as text instead of the point.
///
/// Every data file is read once more, through the reader that picked its row: per pixel column
/// of the curve the first, last, smallest and largest point are kept, so no extreme is dropped
/// and the chosen row always lies on the curve; memory per panel is bounded by its width. A
/// file that can no longer be read shows the failure's message as its reason. Never fails for a
/// file; raises only when memory runs out.
Scene BuildScene(const BatchRequest& request, const std::vector<FileOutcome>& outcomes,
                 const ChartOptions& options = {});

/// A failure as a panel or the report states it: "第 N 行：" when it concerns a line, then its
/// message.
std::string FailureReason(const Failure& failure);

}  // namespace torvane::picture
