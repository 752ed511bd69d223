#pragma once

#include <QImage>
#include <QPainter>

#include "app/result_view.h"
#include "picture/scene.h"

namespace torvane::qt {

/// Draws `panel` with its top-left corner at the painter's origin, one device-independent pixel
/// to one logical pixel of the painter.
void PaintPanel(QPainter& painter, const picture::Panel& panel);

/// The whole of `scene` as one opaque image laid out as `grid`, on white, `scale` device pixels
/// to a device-independent one.
QImage SceneImage(const picture::Scene& scene, const PanelGrid& grid, double scale);

}  // namespace torvane::qt
