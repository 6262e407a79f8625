// Pens, the current position and lines.
#include <algorithm>
#include <cstdlib>
#include <new>

#include "platform/gdi/object_table.h"

namespace vg::gdi {
using namespace detail;

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style != PS_SOLID && style != PS_NULL) return 0;
  try {
    return Insert(Pen{style, std::max(width, 1), color & 0x00FFFFFF}, true);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

bool MoveToEx(HDC hdc, int x, int y, POINT* previous) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return false;
  if (previous) *previous = {dc->pos_x, dc->pos_y};
  dc->pos_x = x;
  dc->pos_y = y;
  return true;
}

namespace {

// The pen's square tip centred on (x, y), clipped to the bitmap.
void Stamp(Bitmap& b, int x, int y, int width, COLORREF color) {
  int x0 = std::max(x - width / 2, 0), x1 = std::min(x - width / 2 + width, b.width);
  int y0 = std::max(y - width / 2, 0), y1 = std::min(y - width / 2 + width, b.height);
  for (int yy = y0; yy < y1; ++yy)
    for (int xx = x0; xx < x1; ++xx) b.pixels[static_cast<size_t>(yy) * b.width + xx] = color;
}

}  // namespace

bool LineTo(HDC hdc, int x, int y) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return false;
  int x0 = dc->pos_x, y0 = dc->pos_y;
  dc->pos_x = x;
  dc->pos_y = y;
  Pen* pen = Get<Pen>(dc->pen);
  Bitmap* b = Get<Bitmap>(dc->bitmap);
  if (!pen || !b || pen->style == PS_NULL) return true;
  if (x0 == x && y0 == y) return true;
  if (y0 == y || x0 == x) {
    // Horizontal and vertical lines (frames are made of them): the stamps along the line
    // make one rectangle, from the first pixel to the one before the end point.
    int64_t last_x = x0 == x ? x : (x > x0 ? int64_t{x} - 1 : int64_t{x} + 1);
    int64_t last_y = y0 == y ? y : (y > y0 ? int64_t{y} - 1 : int64_t{y} + 1);
    int64_t half = pen->width / 2;
    int64_t left = std::min<int64_t>(x0, last_x) - half;
    int64_t right = std::max<int64_t>(x0, last_x) - half + pen->width;
    int64_t top = std::min<int64_t>(y0, last_y) - half;
    int64_t bottom = std::max<int64_t>(y0, last_y) - half + pen->width;
    left = std::max<int64_t>(left, 0), top = std::max<int64_t>(top, 0);
    right = std::min<int64_t>(right, b->width), bottom = std::min<int64_t>(bottom, b->height);
    // Nothing to paint (a line beside the bitmap, or a bitmap without pixels): no pointer is
    // formed into pixels that are not there.
    if (top < bottom && left < right)
      FillRows(b->pixels.data() + top * b->width + left, b->width, bottom - top, right - left,
               Stored(*b, pen->color));
    return true;
  }
  // Bresenham's line from (x0, y0) towards (x, y), the end point excluded.
  int64_t dx = std::abs(int64_t{x} - x0), dy = -std::abs(int64_t{y} - y0);
  int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
  int64_t err = dx + dy;
  int64_t cx = x0, cy = y0;
  // A line far outside the bitmap would take long to walk; such coordinates come only from
  // absurd input, and nothing of them could be seen.
  if (dx > (int64_t{1} << 24) || -dy > (int64_t{1} << 24)) return true;
  while (cx != x || cy != y) {
    if (cx >= -pen->width && cy >= -pen->width && cx < b->width + pen->width &&
        cy < b->height + pen->width)
      Stamp(*b, static_cast<int>(cx), static_cast<int>(cy), pen->width, Stored(*b, pen->color));
    int64_t e2 = 2 * err;
    if (e2 >= dy) err += dy, cx += sx;
    if (e2 <= dx) err += dx, cy += sy;
  }
  return true;
}

}  // namespace vg::gdi
