// Draws the program's icon, a curve with its peak marked, and writes it in the forms the build
// needs:
//   torvane.ico            the 12 images in their fixed order, all stored as DIBs (no PNG)
//   icon-30001.dib ...     each image's DIB on its own, the raw data of one icon resource
//   icon-group.bin         the icon group resource naming those images 30001 to 30012
// qt/icon_png turns the 32-bit DIBs into the desktop icon theme's PNG files.
// Usage: make_icon OUTPUT_FOLDER

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;  // straight (not premultiplied), 0 to 255 and 0 to 1
};

struct Image {
  int size;
  int bits;  // 1, 4, 8 or 32 bits per pixel
};

// The icon's images in the order they are stored.
constexpr std::array<Image, 12> kImages{{{32, 1},
                                         {48, 4},
                                         {32, 4},
                                         {16, 4},
                                         {48, 8},
                                         {32, 8},
                                         {16, 8},
                                         {256, 32},
                                         {128, 32},
                                         {48, 32},
                                         {32, 32},
                                         {16, 32}}};
constexpr int kFirstResourceId = 30001;

constexpr Rgba kTile{255, 255, 255, 1}, kBorder{90, 107, 125, 1}, kAxis{56, 60, 66, 1},
    kCurve{20, 80, 230, 1}, kPeak{224, 48, 42, 1};

// The curve in units of the icon's side: one main peak, a smaller shoulder on its left.
double CurveY(double x) {
  auto bump = [x](double centre, double width) {
    double t = (x - centre) / width;
    return std::exp(-t * t);
  };
  return 0.78 - 0.56 * bump(0.55, 0.11) - 0.12 * bump(0.30, 0.07);
}
constexpr double kPeakX = 0.55, kCurveFrom = 0.18, kCurveTo = 0.88, kAxisX = 0.14, kAxisY = 0.82;

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  double dx = bx - ax, dy = by - ay;
  double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

// The picture at one size, sampled at points given in pixels from the top-left corner.
class Picture {
 public:
  explicit Picture(int size) : size_(size) {
    const int segments = 96;
    for (int i = 0; i <= segments; ++i) {
      double x = kCurveFrom + (kCurveTo - kCurveFrom) * i / segments;
      curve_.push_back({x * size, CurveY(x) * size});
    }
    stroke_ = std::max(1.7, size * 0.06);
    line_ = std::max(1.0, size / 40.0);
    dot_ = std::max(2.2, size * 0.08);
  }

  Rgba At(double x, double y) const {
    double s = size_;
    double peak_x = kPeakX * s, peak_y = CurveY(kPeakX) * s;
    if (std::hypot(x - peak_x, y - peak_y) <= dot_) return kPeak;
    for (std::size_t i = 1; i < curve_.size(); ++i) {
      if (SegmentDistance(x, y, curve_[i - 1][0], curve_[i - 1][1], curve_[i][0], curve_[i][1]) <=
          stroke_ / 2) {
        return kCurve;
      }
    }
    // A dashed drop line from the peak to the abscissa, where there is room for it.
    if (size_ >= 32 && std::abs(x - peak_x) <= line_ / 2 && y > peak_y && y < kAxisY * s &&
        std::fmod(y / (s / 16), 1.0) < 0.55) {
      return kPeak;
    }
    bool on_x_axis =
        std::abs(y - kAxisY * s) <= line_ / 2 && x >= kAxisX * s - line_ / 2 && x <= 0.9 * s;
    bool on_y_axis =
        std::abs(x - kAxisX * s) <= line_ / 2 && y >= 0.14 * s && y <= kAxisY * s + line_ / 2;
    if (on_x_axis || on_y_axis) return kAxis;
    // A rounded tile with a thin border behind the drawing.
    double inset = 0.03 * s, radius = 0.16 * s, border = std::max(1.0, s / 64);
    double cx = std::clamp(x, inset + radius, s - inset - radius);
    double cy = std::clamp(y, inset + radius, s - inset - radius);
    double from_corner = std::hypot(x - cx, y - cy);
    if (from_corner > radius) return {};
    return from_corner > radius - border ? kBorder : kTile;
  }

  // The average over n x n points of pixel (px, py).
  Rgba Pixel(int px, int py, int n) const {
    Rgba sum;
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) {
        Rgba c = At(px + (i + 0.5) / n, py + (j + 0.5) / n);
        sum.r += c.r * c.a;
        sum.g += c.g * c.a;
        sum.b += c.b * c.a;
        sum.a += c.a;
      }
    }
    if (sum.a == 0) return {};
    return {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / (n * n)};
  }

 private:
  int size_;
  double stroke_, line_, dot_;
  std::vector<std::array<double, 2>> curve_;
};

std::vector<std::array<uint8_t, 3>> Palette(int bits) {
  if (bits == 1) return {{0, 0, 0}, {255, 255, 255}};
  if (bits == 4) {  // the 16 standard colours
    return {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  }
  std::vector<std::array<uint8_t, 3>> palette;  // a 6 x 6 x 6 colour cube, then greys
  for (int r = 0; r < 6; ++r) {
    for (int g = 0; g < 6; ++g) {
      for (int b = 0; b < 6; ++b) {
        palette.push_back({uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)});
      }
    }
  }
  for (int i = 0; palette.size() < 256; ++i) {
    auto grey = uint8_t(8 + i * 6);
    palette.push_back({grey, grey, grey});
  }
  return palette;
}

int Nearest(const std::vector<std::array<uint8_t, 3>>& palette, const Rgba& c) {
  int best = 0;
  double best_distance = 1e30;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    double d = std::pow(palette[i][0] - c.r, 2) + std::pow(palette[i][1] - c.g, 2) +
               std::pow(palette[i][2] - c.b, 2);
    if (d < best_distance) best_distance = d, best = int(i);
  }
  return best;
}

void Put16(Bytes& out, unsigned v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

int RowBytes(int size, int bits) {
  return (size * bits + 31) / 32 * 4;
}

// One image as a DIB: BITMAPINFOHEADER, colour table, colour (XOR) rows and the transparency
// (AND) mask, rows bottom-up.
Bytes Dib(const Image& image) {
  const int n = image.size, bits = image.bits;
  Picture picture(n);
  auto palette = bits <= 8 ? Palette(bits) : std::vector<std::array<uint8_t, 3>>{};
  const int xor_row = RowBytes(n, bits), and_row = RowBytes(n, 1);
  Bytes xor_bits(std::size_t(xor_row) * n), and_bits(std::size_t(and_row) * n);
  for (int y = 0; y < n; ++y) {
    uint8_t* xor_line = &xor_bits[std::size_t(n - 1 - y) * xor_row];
    uint8_t* and_line = &and_bits[std::size_t(n - 1 - y) * and_row];
    for (int x = 0; x < n; ++x) {
      // Few colours look cleaner drawn crisp than smoothed into stray shades.
      Rgba c = picture.Pixel(x, y, bits <= 4 ? 1 : 4);
      bool transparent = c.a < 0.5;
      if (transparent) and_line[x / 8] |= uint8_t(0x80 >> (x % 8));
      if (bits == 32) {
        if (c.a == 0) continue;
        uint8_t* p = xor_line + x * 4;
        p[0] = uint8_t(std::lround(c.b)), p[1] = uint8_t(std::lround(c.g));
        p[2] = uint8_t(std::lround(c.r)), p[3] = uint8_t(std::lround(c.a * 255));
        continue;
      }
      if (transparent) continue;  // index 0, black: the screen shows through
      int index =
          bits == 1 ? (0.3 * c.r + 0.59 * c.g + 0.11 * c.b > 170 ? 1 : 0) : Nearest(palette, c);
      int per_byte = 8 / bits, shift = (per_byte - 1 - x % per_byte) * bits;
      xor_line[x / per_byte] |= uint8_t(index << shift);
    }
  }
  Bytes dib;
  Put32(dib, 40);
  Put32(dib, uint32_t(n));
  Put32(dib, uint32_t(2 * n));  // colour rows and mask rows together
  Put16(dib, 1);
  Put16(dib, unsigned(bits));
  Put32(dib, 0);  // uncompressed
  Put32(dib, uint32_t(xor_bits.size() + and_bits.size()));
  for (int i = 0; i < 4; ++i) Put32(dib, 0);
  for (const auto& colour : palette) {
    dib.insert(dib.end(), {colour[2], colour[1], colour[0], 0});
  }
  dib.insert(dib.end(), xor_bits.begin(), xor_bits.end());
  dib.insert(dib.end(), and_bits.begin(), and_bits.end());
  return dib;
}

// The directory fields shared by the .ico file and the icon group resource.
void PutDirectoryEntry(Bytes& out, const Image& image, std::size_t bytes) {
  out.push_back(uint8_t(image.size % 256));  // 0 stands for 256
  out.push_back(uint8_t(image.size % 256));
  out.push_back(uint8_t(image.bits < 8 ? 1 << image.bits : 0));
  out.push_back(0);
  Put16(out, 1);
  Put16(out, unsigned(image.bits));
  Put32(out, uint32_t(bytes));
}

bool Write(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (!out) std::fprintf(stderr, "make_icon: cannot write %s\n", path.c_str());
  return bool(out);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUTPUT_FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);

  std::vector<Bytes> dibs;
  for (const Image& image : kImages) dibs.push_back(Dib(image));

  Bytes ico, group;
  for (Bytes* directory : {&ico, &group}) {
    Put16(*directory, 0);
    Put16(*directory, 1);  // icons
    Put16(*directory, unsigned(kImages.size()));
  }
  std::size_t offset = 6 + 16 * kImages.size();
  bool ok = true;
  for (std::size_t i = 0; i < kImages.size(); ++i) {
    PutDirectoryEntry(ico, kImages[i], dibs[i].size());
    Put32(ico, uint32_t(offset));
    offset += dibs[i].size();
    PutDirectoryEntry(group, kImages[i], dibs[i].size());
    Put16(group, unsigned(kFirstResourceId + i));
    std::string id = std::to_string(kFirstResourceId + i);
    ok &= Write(folder / ("icon-" + id + ".dib"), dibs[i]);
  }
  for (const Bytes& dib : dibs) ico.insert(ico.end(), dib.begin(), dib.end());
  ok &= Write(folder / "torvane.ico", ico);
  ok &= Write(folder / "icon-group.bin", group);
  return ok ? 0 : 1;
}
