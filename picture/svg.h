#pragma once

#include <string>

#include "picture/scene.h"

namespace torvane::picture {

/// A whole scene as one standalone SVG document (UTF-8): the panels in a grid of `columns`
/// columns (at least 1), row by row in scene order, `gap` pixels apart. Texts keep every
/// character; "<", "&" and quotes are escaped, control characters show as their visible symbols
/// (U+2400...) and bytes that are not UTF-8 as U+FFFD, so the document is always well-formed.
std::string SceneSvg(const Scene& scene, int columns, double gap = 8);

/// `text` (UTF-8) as XML or HTML character data or attribute value: "<", ">", "&" and quotes as
/// references, control characters as their visible symbols (U+2400...), and every byte that
/// starts no well-formed UTF-8 sequence of a character XML allows as U+FFFD.
std::string Escaped(const std::string& text);

/// One panel as an <svg> element, without an XML declaration or namespace, to be placed inside
/// an HTML page; `id` (when not empty) is the element's id.
std::string InlinePanelSvg(const Panel& panel, const std::string& id = {});

}  // namespace torvane::picture
