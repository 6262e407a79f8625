#include "qt/qt_pictures.h"

#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "platform/automation/errors.h"

namespace vg {
namespace {

// The raster device refuses bitmaps above 2^26 pixels; refuse such files before decoding.
constexpr qint64 kMaxPixels = qint64(1) << 26;

// a over b with alpha in 0..255, rounded to nearest.
uint32_t Over(uint32_t a, uint32_t b, uint32_t alpha) {
  return (a * alpha + b * (255 - alpha) + 127) / 255;
}

}  // namespace

StdPictureRef PictureFromImage(const QImage& source, COLORREF background, int16_t type) {
  // ARGB32 (not premultiplied) keeps the stored colour values; the conversion of 16-bit
  // samples rounds to the nearest 8-bit value.
  QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  std::vector<COLORREF> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
  const uint32_t br = background & 0xFF, bg = (background >> 8) & 0xFF,
                 bb = (background >> 16) & 0xFF;
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      const QRgb p = row[x];
      const uint32_t a = static_cast<uint32_t>(qAlpha(p));
      const uint32_t r = Over(static_cast<uint32_t>(qRed(p)), br, a);
      const uint32_t g = Over(static_cast<uint32_t>(qGreen(p)), bg, a);
      const uint32_t b = Over(static_cast<uint32_t>(qBlue(p)), bb, a);
      pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
          r | (g << 8) | (b << 16);
    }
  }
  return StdPicture::FromPixels(w, h, std::move(pixels), type);
}

StdPictureRef LoadPictureQt(const std::string& path) {
  if (path.empty()) return StdPicture::Empty();
  const QString file = QString::fromStdString(path);
  const QFileInfo info(file);
  if (!info.exists() || info.isDir()) Raise(err::kFileNotFound);
  QImageReader reader(file);
  reader.setAutoTransform(false);
  const QSize size = reader.size();
  if (size.isValid() && qint64(size.width()) * size.height() > kMaxPixels)
    Raise(err::kInvalidPicture);
  // Icons and cursors are told by their header (reserved 0, type 1 or 2).
  QFile probe(file);
  QByteArray head;
  if (probe.open(QIODevice::ReadOnly)) head = probe.read(4);
  const bool icon = head.size() == 4 && head[0] == 0 && head[1] == 0 &&
                    (head[2] == 1 || head[2] == 2) && head[3] == 0;
  QImage image;
  if (!reader.read(&image) || image.isNull()) Raise(err::kInvalidPicture);
  if (qint64(image.width()) * image.height() > kMaxPixels) Raise(err::kInvalidPicture);
  // The stored values: drop any colour space so nothing converts them.
  image.setColorSpace(QColorSpace());
  return PictureFromImage(image, 0xC0C0C0, icon ? vbPicTypeIcon : vbPicTypeBitmap);
}

}  // namespace vg
