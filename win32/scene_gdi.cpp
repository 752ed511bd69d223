#include "win32/scene_gdi.h"

#include <cmath>
#include <type_traits>
#include <vector>

#include "app/design.h"
#include "runtime/wide_win.h"

namespace torvane::win32 {
namespace {

COLORREF ColorOf(picture::Rgb rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// One GDI object selected into a device context for the life of this object, then deleted.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(::SelectObject(dc, object)) {}
  ~Selected() {
    ::SelectObject(dc_, old_);
    ::DeleteObject(object_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ object_, old_;
};

// Device-independent lengths and points to device pixels.
struct Device {
  POINT origin;
  double scale;

  int Length(double length) const { return static_cast<int>(std::lround(length * scale)); }
  int Width(double width) const { return std::max(1, Length(width)); }
  POINT At(picture::Point point) const {
    return {origin.x + Length(point.x), origin.y + Length(point.y)};
  }
};

struct Painter {
  HDC dc;
  Device device;
  SceneFonts& fonts;

  void operator()(const picture::FilledRect& rect) const {
    POINT from = device.At({rect.x, rect.y});
    POINT to = device.At({rect.x + rect.width, rect.y + rect.height});
    RECT area{from.x, from.y, to.x, to.y};
    HBRUSH brush = ::CreateSolidBrush(ColorOf(rect.color));
    ::FillRect(dc, &area, brush);
    ::DeleteObject(brush);
  }
  void operator()(const picture::Line& line) const {
    Selected pen(dc, ::CreatePen(PS_SOLID, device.Width(line.width), ColorOf(line.color)));
    POINT points[] = {device.At(line.from), device.At(line.to)};
    ::Polyline(dc, points, 2);
  }
  void operator()(const picture::Polyline& line) const {
    std::vector<POINT> points;
    points.reserve(line.points.size());
    for (picture::Point point : line.points) points.push_back(device.At(point));
    Selected pen(dc, ::CreatePen(PS_SOLID, device.Width(line.width), ColorOf(line.color)));
    ::Polyline(dc, points.data(), static_cast<int>(points.size()));
  }
  void operator()(const picture::Circle& circle) const {
    Selected pen(dc, ::CreatePen(PS_SOLID, device.Width(1), ColorOf(circle.outline)));
    Selected brush(dc, ::CreateSolidBrush(ColorOf(circle.fill)));
    POINT center = device.At(circle.center);
    int radius = std::max(1, device.Length(circle.radius));
    ::Ellipse(dc, center.x - radius, center.y - radius, center.x + radius + 1,
              center.y + radius + 1);
  }
  void operator()(const picture::Text& text) const {
    static constexpr UINT kAlign[] = {TA_LEFT, TA_CENTER, TA_RIGHT};
    std::wstring wide = Wide(text.text);
    HGDIOBJ old = ::SelectObject(dc, fonts.Get(text.size, text.bold));
    ::SetTextAlign(dc, TA_BASELINE | TA_NOUPDATECP | kAlign[static_cast<int>(text.align)]);
    ::SetTextColor(dc, ColorOf(text.color));
    POINT at = device.At(text.at);
    ::ExtTextOutW(dc, at.x, at.y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()),
                  nullptr);
    ::SelectObject(dc, old);
  }
};

}  // namespace

SceneFonts::~SceneFonts() {
  for (auto& [key, font] : fonts_) ::DeleteObject(font);
}

HFONT SceneFonts::Get(double size, bool bold) {
  int height = std::max(1, static_cast<int>(std::lround(size * dpi_ / 96.0)));
  HFONT& font = fonts_[{height, bold}];
  if (!font) {
    const FontDesign& design = FontOf(FontRole::Frame);
    font =
        ::CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                      static_cast<DWORD>(design.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, Wide(design.face).c_str());
  }
  return font;
}

void DrawPanel(HDC dc, const picture::Panel& panel, POINT origin, SceneFonts& fonts) {
  Device device{origin, fonts.dpi() / 96.0};
  int saved = ::SaveDC(dc);
  POINT end = device.At({panel.width, panel.height});
  ::IntersectClipRect(dc, origin.x, origin.y, end.x, end.y);
  ::SetBkMode(dc, TRANSPARENT);
  Painter painter{dc, device, fonts};
  for (const picture::Item& item : panel.items) std::visit(painter, item);
  ::RestoreDC(dc, saved);
}

void DrawGrid(HDC dc, const picture::Scene& scene, const PanelGrid& grid, POINT origin,
              const RECT& area, SceneFonts& fonts) {
  double scale = fonts.dpi() / 96.0;
  auto [first, last] =
      grid.Between((area.top - origin.y) / scale, (area.bottom - origin.y) / scale);
  for (int i = first; i < last; ++i) {
    picture::Point at = grid.Origin(i);
    POINT corner{origin.x + static_cast<LONG>(std::lround(at.x * scale)),
                 origin.y + static_cast<LONG>(std::lround(at.y * scale))};
    DrawPanel(dc, scene.panels[static_cast<std::size_t>(i)], corner, fonts);
  }
}

}  // namespace torvane::win32
