// Writes the icon's 32-bit images as PNG files for the desktop's icon theme: reads the
// icon-*.dib files that make_icon wrote into FOLDER and saves each one of 32 bits per pixel as
// torvane-<side>.png beside them. Usage: icon_png FOLDER

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <cstdio>

namespace {

quint32 U32(const QByteArray& bytes, int at) {
  return quint32(uchar(bytes[at])) | quint32(uchar(bytes[at + 1])) << 8 |
         quint32(uchar(bytes[at + 2])) << 16 | quint32(uchar(bytes[at + 3])) << 24;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: icon_png FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  bool ok = true;
  for (const QString& name : folder.entryList({QStringLiteral("icon-*.dib")}, QDir::Files)) {
    QFile file(folder.filePath(name));
    const QByteArray dib = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // A BITMAPINFOHEADER (40 bytes: the side at 4, the bits per pixel at 14), then the colour
    // rows bottom-up, B, G, R and straight alpha for each pixel.
    if (dib.size() < 40 || (U32(dib, 12) >> 16) != 32) continue;
    const int side = int(U32(dib, 4));
    if (dib.size() < 40 + 4 * side * side) {
      std::fprintf(stderr, "icon_png: %s is cut short\n", qPrintable(name));
      ok = false;
      continue;
    }
    QImage image(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y) {
      const auto* row =
          reinterpret_cast<const uchar*>(dib.constData()) + 40 + 4 * side * (side - 1 - y);
      for (int x = 0; x < side; ++x) {
        const uchar* p = row + 4 * x;
        image.setPixel(x, y, qRgba(p[2], p[1], p[0], p[3]));
      }
    }
    QImageWriter writer(folder.filePath(QStringLiteral("torvane-%1.png").arg(side)), "png");
    if (!writer.write(image)) {
      std::fprintf(stderr, "icon_png: %s\n", qPrintable(writer.errorString()));
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
