#pragma once

#include <string>

#include "picture/scene.h"

namespace torvane::picture {

/// A whole scene as one standalone SVG document (UTF-8): the panels in a grid of `columns`
/// columns (at least 1), row by row in scene order, `gap` pixels apart. Texts keep every
/// character; "<", "&" and quotes are escaped, control characters show as their visible symbols
/// (U+2400...) and bytes that are not UTF-8 as U+FFFD, so the document is always well-formed.
std::string SceneSvg(const Scene& scene, int columns, double gap = 8);

/// One panel as an <svg> element, without an XML declaration or namespace, to be placed inside
/// an HTML page; `id` (when not empty) is the element's id.
std::string InlinePanelSvg(const Panel& panel, const std::string& id = {});

}  // namespace torvane::picture
