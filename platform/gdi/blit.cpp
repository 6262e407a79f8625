// Block copies between device contexts.
#include <algorithm>
#include <cstring>

#include "platform/gdi/object_table.h"

namespace vg::gdi {
using namespace detail;

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y,
            uint32_t rop) {
  if (rop != SRCCOPY) return false;
  Bitmap* to = TargetBitmap(dst);
  Bitmap* from = TargetBitmap(src);
  if (!to || !from) return false;
  if (width <= 0 || height <= 0) return true;
  Dc* to_dc = Get<Dc>(dst);
  if (to_dc->window) ++to_dc->updates;
  // Clip the block against the source and the destination alike, keeping the two
  // positions in step.
  int64_t x0 = x, y0 = y, sx0 = src_x, sy0 = src_y, w = width, h = height;
  if (x0 < 0) w += x0, sx0 -= x0, x0 = 0;
  if (y0 < 0) h += y0, sy0 -= y0, y0 = 0;
  if (sx0 < 0) w += sx0, x0 -= sx0, sx0 = 0;
  if (sy0 < 0) h += sy0, y0 -= sy0, sy0 = 0;
  w = std::min({w, int64_t{to->width} - x0, int64_t{from->width} - sx0});
  h = std::min({h, int64_t{to->height} - y0, int64_t{from->height} - sy0});
  if (w <= 0 || h <= 0) return true;
  bool same = to == from;
  for (int64_t row = 0; row < h; ++row) {
    // Copying within one bitmap downwards must run bottom-up to read rows before they
    // are overwritten.
    int64_t r = (same && y0 > sy0) ? h - 1 - row : row;
    COLORREF* d = to->pixels.data() + (y0 + r) * to->width + x0;
    const COLORREF* s = from->pixels.data() + (sy0 + r) * from->width + sx0;
    std::memmove(d, s, static_cast<size_t>(w) * sizeof(COLORREF));
  }
  // Last, so that a listener finds the window's pixels already changed.
  if (to_dc->listener)
    to_dc->listener->WindowChanged(
        dst, RECT{static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x0 + w),
                  static_cast<int32_t>(y0 + h)});
  return true;
}

bool SetDIBitsToDevice(HDC hdc, int x, int y, int width, int height, const COLORREF* bits) {
  Bitmap* to = TargetBitmap(hdc);
  if (!to || !bits) return false;
  if (width <= 0 || height <= 0) return true;
  if (Dc* dc = Get<Dc>(hdc); dc->window) ++dc->updates;
  // Clipped to the bitmap in 64 bits; the source moves along with the clipped edges.
  const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
  const int64_t x1 = std::min<int64_t>(int64_t{x} + width, to->width);
  const int64_t y1 = std::min<int64_t>(int64_t{y} + height, to->height);
  for (int64_t row = y0; row < y1; ++row) {
    if (x0 >= x1) break;
    const COLORREF* s = bits + (row - y) * width + (x0 - x);
    std::memcpy(to->pixels.data() + row * to->width + x0, s,
                static_cast<size_t>(x1 - x0) * sizeof(COLORREF));
  }
  return true;
}

}  // namespace vg::gdi
