#include "qt/window_present.h"

#include "qt/raster_image.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cmath>

namespace vg {

QRect DevicePixelsShowing(const QRect& exposed, double ratio, int width, int height) {
  if (!(ratio > 0.0)) ratio = 1.0;
  // Every device pixel that any part of the logical rectangle covers.
  const int left = static_cast<int>(std::floor(exposed.left() * ratio));
  const int top = static_cast<int>(std::floor(exposed.top() * ratio));
  const int right = static_cast<int>(std::ceil((exposed.right() + 1) * ratio));
  const int bottom = static_cast<int>(std::ceil((exposed.bottom() + 1) * ratio));
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))
      .intersected(QRect(0, 0, width, height));
}

void PresentWindow(QWidget& widget, gdi::HDC window, const QRect& exposed, double ratio) {
  gdi::SetWindowScreenLayout(window, true);
  const gdi::PixelView view = gdi::GetPixels(window);
  QPainter painter(&widget);
  if (!view.pixels || view.width <= 0 || view.height <= 0) {
    painter.fillRect(exposed, widget.palette().window());
    return;
  }
  const QRect source = DevicePixelsShowing(exposed, ratio, view.width, view.height);
  if (source.isEmpty()) return;
  // The window's own buffer, wrapped, not copied; in the backing store's layout, Qt copies
  // it row by row.
  QImage image = WrapPixels(view);
  if (ratio > 0.0) image.setDevicePixelRatio(ratio);
  const double r = ratio > 0.0 ? ratio : 1.0;
  painter.drawImage(QPointF(source.left() / r, source.top() / r), image, QRectF(source));
}

}  // namespace vg
