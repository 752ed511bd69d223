#include "picture/svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace torvane::picture {
namespace {

constexpr const char* kFonts =
    "'Microsoft YaHei','PingFang SC','Noto Sans CJK SC','WenQuanYi Micro Hei',SimSun,sans-serif";

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character that starts `text` at `pos`, and its length; U+FFFD for one byte that starts no
// well-formed UTF-8 sequence of a character XML allows.
std::pair<char32_t, std::size_t> Decode(const std::string& text, std::size_t pos) {
  const auto b = static_cast<unsigned char>(text[pos]);
  if (b < 0x80) return {b, 1};
  const std::size_t n = b >= 0xC2 && b < 0xE0   ? 2
                        : b >= 0xE0 && b < 0xF0 ? 3
                        : b >= 0xF0 && b < 0xF5 ? 4
                                                : 0;
  if (n == 0 || pos + n > text.size()) return {0xFFFD, 1};
  char32_t c = b & (0x7F >> n);
  for (std::size_t i = 1; i < n; ++i) {
    const auto t = static_cast<unsigned char>(text[pos + i]);
    if ((t & 0xC0) != 0x80) return {0xFFFD, 1};
    c = (c << 6) | (t & 0x3F);
  }
  const bool shortest = n == 2 || (n == 3 && c >= 0x800) || (n == 4 && c >= 0x10000);
  if (!shortest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF) {
    return {0xFFFD, 1};
  }
  return {c, n};
}

}  // namespace

std::string Escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    auto [c, length] = Decode(text, pos);
    pos += length;
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        // Control characters, which XML cannot hold, as their visible symbols.
        if (c < 0x20) c += 0x2400;
        if (c == 0x7F) c = 0x2421;
        AppendUtf8(out, c);
    }
  }
  return out;
}

namespace {

// A length to a tenth of a pixel, without trailing zeros.
std::string Number(double value) {
  const double tenths = std::round(value * 10);
  if (!(std::abs(tenths) < 1e15)) return "0";
  auto whole = static_cast<long long>(tenths);
  std::string text = whole < 0 ? "-" : "";
  whole = std::abs(whole);
  text += std::to_string(whole / 10);
  if (whole % 10 != 0) {
    text += '.';
    text += static_cast<char>('0' + whole % 10);
  }
  return text;
}

std::string Color(Rgb rgb) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
  return buffer;
}

std::string Attribute(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + value + "\"";
}

std::string Attribute(const char* name, double value) {
  return Attribute(name, Number(value));
}

void Write(std::string& out, const FilledRect& r) {
  out += "<rect" + Attribute("x", r.x) + Attribute("y", r.y) + Attribute("width", r.width) +
         Attribute("height", r.height) + Attribute("fill", Color(r.color)) + "/>\n";
}

void Write(std::string& out, const Line& l) {
  out += "<line" + Attribute("x1", l.from.x) + Attribute("y1", l.from.y) + Attribute("x2", l.to.x) +
         Attribute("y2", l.to.y) + Attribute("stroke", Color(l.color)) +
         Attribute("stroke-width", l.width) + "/>\n";
}

void Write(std::string& out, const Polyline& p) {
  out += "<polyline fill=\"none\" stroke-linejoin=\"round\"" + Attribute("stroke", Color(p.color)) +
         Attribute("stroke-width", p.width) + " points=\"";
  for (std::size_t i = 0; i < p.points.size(); ++i) {
    if (i > 0) out += ' ';
    out += Number(p.points[i].x);
    out += ',';
    out += Number(p.points[i].y);
  }
  out += "\"/>\n";
}

void Write(std::string& out, const Circle& c) {
  out += "<circle" + Attribute("cx", c.center.x) + Attribute("cy", c.center.y) +
         Attribute("r", c.radius) + Attribute("fill", Color(c.fill)) +
         Attribute("stroke", Color(c.outline)) + "/>\n";
}

void Write(std::string& out, const Text& t) {
  const char* anchor = t.align == Align::Left     ? "start"
                       : t.align == Align::Center ? "middle"
                                                  : "end";
  out += "<text" + Attribute("x", t.at.x) + Attribute("y", t.at.y) +
         Attribute("font-size", t.size) + Attribute("fill", Color(t.color)) +
         Attribute("text-anchor", anchor) + (t.bold ? " font-weight=\"bold\"" : "") + ">" +
         Escaped(t.text) + "</text>\n";
}

// The panel as an <svg> element whose opening tag carries `attributes`.
std::string PanelElement(const Panel& panel, const std::string& attributes) {
  std::string out = "<svg" + attributes + Attribute("width", panel.width) +
                    Attribute("height", panel.height) + " viewBox=\"0 0 " + Number(panel.width) +
                    " " + Number(panel.height) + "\"><title>" + Escaped(panel.title) + "</title>\n";
  for (const Item& item : panel.items) {
    std::visit([&](const auto& primitive) { Write(out, primitive); }, item);
  }
  return out + "</svg>\n";
}

}  // namespace

std::string SceneSvg(const Scene& scene, int columns, double gap) {
  const std::size_t count = scene.panels.size();
  const std::size_t across = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(columns, 1)),
                                                     1, std::max<std::size_t>(count, 1));
  const std::size_t down = (count + across - 1) / across;
  double cell_width = 0, cell_height = 0;
  for (const Panel& panel : scene.panels) {
    cell_width = std::max(cell_width, panel.width);
    cell_height = std::max(cell_height, panel.height);
  }
  const double width = count == 0 ? 0 : across * (cell_width + gap) - gap;
  const double height = count == 0 ? 0 : down * (cell_height + gap) - gap;
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\"" +
      Attribute("width", width) + Attribute("height", height) + " viewBox=\"0 0 " + Number(width) +
      " " + Number(height) + "\"" + Attribute("font-family", Escaped(kFonts)) + ">\n";
  for (std::size_t i = 0; i < count; ++i) {
    out += PanelElement(scene.panels[i], Attribute("x", (i % across) * (cell_width + gap)) +
                                             Attribute("y", (i / across) * (cell_height + gap)));
  }
  return out + "</svg>\n";
}

std::string InlinePanelSvg(const Panel& panel, const std::string& id) {
  return PanelElement(panel, (id.empty() ? std::string() : Attribute("id", Escaped(id))) +
                                 Attribute("font-family", Escaped(kFonts)));
}

}  // namespace torvane::picture
