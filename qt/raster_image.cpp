#include "qt/raster_image.h"

namespace vg {

QImage WrapPixels(const gdi::PixelView& view) {
  if (!view.pixels || view.width <= 0 || view.height <= 0) return {};
  return QImage(reinterpret_cast<const uchar*>(view.pixels), view.width, view.height,
                view.width * 4,
                view.screen_layout ? QImage::Format_RGB32 : QImage::Format_RGBX8888);
}

QImage CopyPixels(const gdi::PixelView& view) {
  const QImage wrapped = WrapPixels(view);
  // Converting to the format it already has would share the device's buffer.
  return wrapped.format() == QImage::Format_RGB32 ? wrapped.copy()
                                                  : wrapped.convertToFormat(QImage::Format_RGB32);
}

QImage ImageOfPicture(const StdPicture& picture) {
  const int w = picture.PixelWidth(), h = picture.PixelHeight();
  if (w <= 0 || h <= 0 || picture.Pixels().size() < static_cast<size_t>(w) * h) return {};
  return CopyPixels({picture.Pixels().data(), w, h, false});
}

}  // namespace vg
