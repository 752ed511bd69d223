#include "qt/scene_painter.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <cmath>
#include <type_traits>

namespace torvane::qt {
namespace {

QColor ColorOf(picture::Rgb rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb) | 0xFF000000u);
}

QPointF PointOf(picture::Point point) {
  return {point.x, point.y};
}

QPen PenOf(picture::Rgb color, double width) {
  QPen pen(ColorOf(color), width);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void Paint(QPainter& painter, const picture::FilledRect& rect) {
  painter.fillRect(QRectF(rect.x, rect.y, rect.width, rect.height), ColorOf(rect.color));
}

void Paint(QPainter& painter, const picture::Line& line) {
  painter.setPen(PenOf(line.color, line.width));
  painter.drawLine(PointOf(line.from), PointOf(line.to));
}

void Paint(QPainter& painter, const picture::Polyline& line) {
  QPolygonF points;
  points.reserve(static_cast<qsizetype>(line.points.size()));
  for (picture::Point point : line.points) points << PointOf(point);
  painter.setPen(PenOf(line.color, line.width));
  painter.drawPolyline(points);
}

void Paint(QPainter& painter, const picture::Circle& circle) {
  painter.setPen(PenOf(circle.outline, 1));
  painter.setBrush(ColorOf(circle.fill));
  painter.drawEllipse(PointOf(circle.center), circle.radius, circle.radius);
  painter.setBrush(Qt::NoBrush);
}

void Paint(QPainter& painter, const picture::Text& text) {
  QFont font = painter.font();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(text.size))));
  font.setBold(text.bold);
  painter.setFont(font);
  QString shown = QString::fromStdString(text.text);
  double width = QFontMetricsF(font).horizontalAdvance(shown);
  double shift = text.align == picture::Align::Left     ? 0
                 : text.align == picture::Align::Center ? width / 2
                                                        : width;
  painter.setPen(ColorOf(text.color));
  painter.drawText(QPointF(text.at.x - shift, text.at.y), shown);
}

}  // namespace

void PaintPanel(QPainter& painter, const picture::Panel& panel) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(QRectF(0, 0, panel.width, panel.height), Qt::IntersectClip);
  for (const picture::Item& item : panel.items) {
    std::visit([&](const auto& shape) { Paint(painter, shape); }, item);
  }
  painter.restore();
}

QImage SceneImage(const picture::Scene& scene, const PanelGrid& grid, double scale) {
  QImage image(static_cast<int>(std::ceil(grid.Width() * scale)),
               static_cast<int>(std::ceil(grid.Height() * scale)), QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (int i = 0; i < grid.count; ++i) {
    picture::Point origin = grid.Origin(i);
    painter.save();
    painter.translate(origin.x, origin.y);
    PaintPanel(painter, scene.panels[static_cast<std::size_t>(i)]);
    painter.restore();
  }
  return image;
}

}  // namespace torvane::qt
