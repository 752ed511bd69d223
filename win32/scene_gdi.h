#pragma once

#include <windows.h>

#include <map>
#include <utility>

#include "app/result_view.h"
#include "picture/scene.h"

namespace torvane::win32 {

/// The fonts of a scene's texts at one DPI, made as they are first asked for and deleted with
/// the object.
class SceneFonts {
 public:
  explicit SceneFonts(UINT dpi) : dpi_(dpi) {}
  ~SceneFonts();
  SceneFonts(const SceneFonts&) = delete;
  SceneFonts& operator=(const SceneFonts&) = delete;

  UINT dpi() const { return dpi_; }
  /// The font whose em height is `size` device-independent pixels.
  HFONT Get(double size, bool bold);

 private:
  UINT dpi_;
  std::map<std::pair<int, bool>, HFONT> fonts_;
};

/// Draws `panel` on `dc` with its top-left corner at `origin` (device pixels), clipped to the
/// panel, at the DPI of `fonts`: dpi / 96 device pixels to a device-independent one.
void DrawPanel(HDC dc, const picture::Panel& panel, POINT origin, SceneFonts& fonts);

/// Draws the panels of `scene` laid out as `grid` that meet the device rectangle `area`, the
/// grid's top-left corner at `origin` (device pixels).
void DrawGrid(HDC dc, const picture::Scene& scene, const PanelGrid& grid, POINT origin,
              const RECT& area, SceneFonts& fonts);

}  // namespace torvane::win32
