#include "picture/chart.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <thread>

#include "extract/reader.h"
#include "picture/decimator.h"
#include "runtime/cp936.h"
#include "runtime/directory.h"

namespace torvane::picture {
namespace {

constexpr Rgb kPickOutline = 0x7A1010, kInk = 0x222222, kLabel = 0x555555;
constexpr double kTitleSize = 13, kLabelSize = 11, kReasonSize = 13;
// The plot area's distances from the panel's edges.
constexpr double kLeft = 62, kRight = 14, kTop = 42, kBottom = 34;
// The widest texts of the chosen row shown, in characters.
constexpr std::size_t kLongestText = 24;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The shortest text of `value` with at most six significant digits.
std::string Label(double value) {
  char buffer[32];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return error == std::errc() ? std::string(buffer, end) : std::string("?");
}

// A text of the chosen row, for the picture: UTF-8, without the blanks around it, at most
// kLongestText characters.
std::string Shown(const std::string& cp936) {
  const std::size_t first = cp936.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::string_view text(cp936.data() + first, cp936.find_last_not_of(" \t") + 1 - first);
  std::size_t end = 0, characters = 0;
  while (end < text.size() && characters < kLongestText) {
    end += CharWidth(text, end);
    ++characters;
  }
  return Cp936ToUtf8(text.substr(0, end)) + (end < text.size() ? "…" : "");
}

// About how wide `utf8` is drawn `size` high: a Chinese character a square, any other about
// six tenths of one. Used only to keep texts apart.
double Width(const std::string& utf8, double size) {
  double width = 0;
  for (unsigned char c : utf8) {
    if (c < 0x80) width += 0.6;
    if (c >= 0xE0) width += 1.0;  // a lead byte of three or four: wide characters
    if (c >= 0xC0 && c < 0xE0) width += 0.6;
  }
  return width * size;
}

// The range of a run, its ends in increasing order.
struct Range {
  double low = 0, high = 0;
};

class PanelBuilder {
 public:
  PanelBuilder(const ChartOptions& options, const std::string& title) {
    panel_.title = title;
    panel_.width = options.panel_width;
    panel_.height = options.panel_height;
    left_ = kLeft;
    right_ = std::max(left_ + 1, panel_.width - kRight);
    top_ = kTop;
    bottom_ = std::max(top_ + 1, panel_.height - kBottom);
    Add(FilledRect{0, 0, panel_.width, panel_.height, kBackgroundColor});
    Add(Text{{8, 18}, title, kTitleSize, kInk, Align::Left, true});
  }

  int Columns() const { return std::max(1, static_cast<int>(right_ - left_)); }

  // The view: X from `x_low` to `x_high`, Y from `y_low` to `y_high`; the range's band and the
  // frame with the end labels of both axes.
  void Frame(double x_low, double x_high, double y_low, double y_high, const Range& range) {
    x_low_ = x_low, x_high_ = x_high, y_low_ = y_low, y_high_ = y_high;
    const double band_from = X(std::max(range.low, x_low)),
                 band_to = X(std::min(range.high, x_high));
    if (range.low <= x_high && range.high >= x_low) {
      Add(FilledRect{band_from, top_, std::max(1.0, band_to - band_from), bottom_ - top_,
                     kBandColor});
    }
    Add(Line{{left_, top_}, {left_, bottom_}, kFrameColor, 1});
    Add(Line{{left_, bottom_}, {right_, bottom_}, kFrameColor, 1});
    const double below = bottom_ + 15;
    const std::string from = Label(x_low), to = Label(x_high);
    x_label_widths_[0] = Width(from, kLabelSize);
    x_label_widths_[1] = Width(to, kLabelSize);
    Add(Text{{left_, below}, from, kLabelSize, kLabel, Align::Left, false});
    Add(Text{{right_, below}, to, kLabelSize, kLabel, Align::Right, false});
    Add(Text{{left_ - 4, top_ + 9}, Label(y_high), kLabelSize, kLabel, Align::Right, false});
    Add(Text{{left_ - 4, bottom_}, Label(y_low), kLabelSize, kLabel, Align::Right, false});
  }

  void Curve(const std::vector<Sample>& samples) {
    Polyline line{{}, kCurveColor, 1};
    line.points.reserve(samples.size());
    for (const Sample& s : samples) line.points.push_back({X(s.x), Y(s.y)});
    Add(std::move(line));
  }

  void Pick(const ChosenRow& row) {
    const Point at{X(row.x_value), Y(row.y_value)};
    Add(Line{{at.x, top_}, {at.x, bottom_}, kPickColor, 1});
    Add(Circle{at, 4, kPickColor, kPickOutline});
    // The texts at the line's ends, outside the plot: Y above it, X below the axis between the
    // axis's end labels; each kept inside its room when it would reach past it.
    const std::string y = "Y " + Shown(row.y), x = "X " + Shown(row.x);
    auto within = [&](const std::string& text, double from, double to) {
      const double half = Width(text, kLabelSize) / 2;
      return from + half > to - half ? (from + to) / 2 : std::clamp(at.x, from + half, to - half);
    };
    Add(Text{{within(y, 4, panel_.width - 4), top_ - 5},
             y,
             kLabelSize,
             kPickColor,
             Align::Center,
             false});
    Add(Text{
        {within(x, left_ + x_label_widths_[0] + 6, right_ - x_label_widths_[1] - 6), bottom_ + 15},
        x,
        kLabelSize,
        kPickColor,
        Align::Center,
        false});
  }

  void Reason(const std::string& text) {
    Add(Text{{(left_ + right_) / 2, (top_ + bottom_) / 2},
             text,
             kReasonSize,
             kReasonColor,
             Align::Center,
             false});
  }

  Panel Finish() { return std::move(panel_); }

 private:
  void Add(Item item) { panel_.items.push_back(std::move(item)); }
  double X(double x) const { return left_ + Fraction(x, x_low_, x_high_) * (right_ - left_); }
  double Y(double y) const { return bottom_ - Fraction(y, y_low_, y_high_) * (bottom_ - top_); }

  Panel panel_;
  double left_, right_, top_, bottom_;
  double x_low_ = 0, x_high_ = 1, y_low_ = 0, y_high_ = 1;
  double x_label_widths_[2] = {0, 0};
};

// The Y ends of the view: the finite values of `curve` with a small margin.
std::pair<double, double> YView(const std::vector<Sample>& curve) {
  double low = kInfinity, high = -kInfinity;
  for (const Sample& s : curve) {
    if (!std::isfinite(s.y)) continue;
    low = std::min(low, s.y);
    high = std::max(high, s.y);
  }
  if (low > high) return {0, 1};
  double margin = (high / 2 - low / 2) * 0.12;
  if (!(margin > 0)) margin = std::max(std::abs(low), 1.0) * 0.06;
  if (!std::isfinite(low - margin) || !std::isfinite(high + margin)) return {low, high};
  return {low - margin, high + margin};
}

// A finite stand-in for an end of the view.
double Finite(double value) {
  return std::clamp(value, std::numeric_limits<double>::lowest(),
                    std::numeric_limits<double>::max());
}

Panel BuildPanel(const BatchRequest& request, const FileOutcome& outcome,
                 const std::optional<Range>& range, const std::string& range_failure,
                 const ChartOptions& options, ReadBuffer& buffer) {
  PanelBuilder panel(options, outcome.name);
  if (outcome.failure) {
    panel.Reason(FailureReason(*outcome.failure));
    return panel.Finish();
  }
  if (!range) {
    panel.Reason(range_failure);
    return panel.Finish();
  }
  const FileResult& result = outcome.result;
  // The range widened by half its width on each side, within the X values of the file's rows.
  double half = (range->high - range->low) / 2;
  if (std::isnan(half)) half = 0;
  const double x_low = Finite(std::max(range->low - half, result.x_low));
  const double x_high = Finite(std::min(range->high + half, result.x_high));

  std::vector<Sample> curve;
  std::string reason;
  if (x_low <= x_high) {
    Decimator decimator(x_low, x_high, panel.Columns(), result.found ? result.row.line : 0);
    try {
      VisitDataFile(request.folder_path + kPathSeparator + outcome.name, outcome.name,
                    request.heading_text, decimator, nullptr, request.style, buffer);
      curve = decimator.Curve();
    } catch (const Failure& failure) {
      reason = FailureReason(failure);
    }
  }
  if (reason.empty() && !result.found) {
    reason = result.rows > 0 && result.rows_with_texts == 0 ? "没有一行分得出 X 和 Y 两列"
                                                            : "范围内没有数据行";
  }
  const auto [y_low, y_high] = YView(curve);
  if (x_low <= x_high) {
    panel.Frame(x_low, x_high, y_low, y_high, *range);
  } else {
    panel.Frame(range->low, range->high, y_low, y_high, *range);
  }
  if (!curve.empty()) panel.Curve(curve);
  if (!reason.empty()) {
    panel.Reason(reason);
  } else {
    panel.Pick(result.row);
  }
  return panel.Finish();
}

}  // namespace

std::string FailureReason(const Failure& failure) {
  return (failure.line() > 0 ? "第 " + std::to_string(failure.line()) + " 行：" : std::string()) +
         failure.message();
}

Scene BuildScene(const BatchRequest& request, const std::vector<FileOutcome>& outcomes,
                 const ChartOptions& options) {
  std::optional<Range> range;
  std::string range_failure;
  try {
    const double start = StrictValue(request.start_text), end = StrictValue(request.end_text);
    range = Range{std::min(start, end), std::max(start, end)};
  } catch (const Failure&) {
    range_failure = "横坐标范围不是数字";
  }

  Scene scene;
  if (outcomes.empty()) return scene;
  scene.panels.resize(outcomes.size());
  std::atomic<std::size_t> next{0};
  std::vector<std::exception_ptr> failures(outcomes.size());
  auto work = [&] {
    ReadBuffer buffer;
    for (std::size_t i; (i = next++) < outcomes.size();) {
      try {
        scene.panels[i] = BuildPanel(request, outcomes[i], range, range_failure, options, buffer);
      } catch (...) {
        failures[i] = std::current_exception();
      }
    }
  };
  {
    std::vector<std::jthread> helpers;
    const int jobs = std::clamp<int>(options.jobs, 1,
                                     static_cast<int>(std::min<std::size_t>(outcomes.size(), 256)));
    for (int j = 1; j < jobs; ++j) helpers.emplace_back(work);
    work();
  }
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  return scene;
}

}  // namespace torvane::picture
