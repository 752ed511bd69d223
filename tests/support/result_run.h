#pragma once

// A run of small spectra over 990 ~ 1010 and what a result window shows of it.

#include <string>

#include "app/result_view.h"
#include "extract/batch_run.h"
#include "picture/chart.h"
#include "runtime/paths.h"
#include "support/fakes.h"

namespace torvane::testing {

/// A spectrum with one heading line and `rows` rows from X = 950 to 1050, its peak at 1000.
inline std::string Spectrum(int rows) {
  std::string text = "cm-1\tcounts\r\n";
  for (int i = 0; i < rows; ++i) {
    double x = 950 + 100.0 * i / (rows - 1);
    text += std::to_string(x) + "\t" + std::to_string(100 - (x - 1000) * (x - 1000) / 50) + "\r\n";
  }
  return text;
}

/// The request of a run over `files` spectra written into `data` ("样品0.txt", ...), one
/// heading line, the peak within 990 ~ 1010.
inline BatchRequest SpectraRun(const TempFolder& data, int files) {
  BatchRequest request;
  request.folder_path = data.str();
  for (int i = 0; i < files; ++i) {
    request.names.push_back("样品" + std::to_string(i) + ".txt");
    data.Write(request.names.back(), Spectrum(500));
  }
  request.heading_text = "1";
  request.start_text = "990";
  request.end_text = "1010";
  return request;
}

/// The panels' size in ResultOf: three columns fit a small screen at 150 %.
inline constexpr double kPanelWidth = 200, kPanelHeight = 120;

/// What a result window gets from that run, its summary "990-1010.txt" in `data`.
inline ResultContent ResultOf(const TempFolder& data, int files) {
  BatchRequest request = SpectraRun(data, files);
  picture::ChartOptions options;
  options.panel_width = kPanelWidth;
  options.panel_height = kPanelHeight;
  return {picture::BuildScene(request, CollectResults(request, {}), options),
          data.str() + kPathSeparator + "990-1010.txt"};
}

/// The band of `panel`: the filled rectangle in the band's colour.
inline picture::FilledRect BandOf(const picture::Panel& panel) {
  for (const picture::Item& item : panel.items) {
    const auto* rect = std::get_if<picture::FilledRect>(&item);
    if (rect && rect->color == picture::kBandColor) return *rect;
  }
  return {};
}

/// A point inside the band of panel `index` of `grid`, left of the chosen row's line and below
/// the curve, in device-independent pixels from the grid's corner.
inline picture::Point InsideBand(const picture::Scene& scene, const PanelGrid& grid, int index) {
  picture::FilledRect band = BandOf(scene.panels[static_cast<std::size_t>(index)]);
  picture::Point origin = grid.Origin(index);
  return {origin.x + band.x + band.width / 4, origin.y + band.y + band.height - 4};
}

}  // namespace torvane::testing
