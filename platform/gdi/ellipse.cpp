// Filled and outlined ellipses.
#include <algorithm>
#include <cmath>

#include "platform/gdi/ellipse_span.h"
#include "platform/gdi/object_table.h"

namespace vg::gdi {
using namespace detail;

bool Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = Get<Dc>(hdc);
  Bitmap* b = dc ? Get<Bitmap>(dc->bitmap) : nullptr;
  if (!b) return false;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const Pen* pen = Get<Pen>(dc->pen);
  const Brush* brush = Get<Brush>(dc->brush);
  int rim = (pen && pen->style != PS_NULL) ? pen->width : 0;
  int y0 = std::max(top, 0), y1 = std::min(bottom, b->height);
  // (In double: the edges may be at the integer limits.)
  const double l = left, t = top, r = right, btm = bottom;
  const EllipseRows outer(l, t, r, btm), inner(l + rim, t + rim, r - rim, btm - rim);
  for (int y = y0; y < y1; ++y) {
    int ox0, ox1;
    if (!outer.Span(y, &ox0, &ox1)) continue;
    // The inner ellipse (inside the rim) gets the brush; the rest of the row the pen.
    int ix0 = ox1, ix1 = ox1;
    if (!inner.Span(y, &ix0, &ix1)) ix0 = ix1 = ox1;
    auto clip = [&](int v) { return std::clamp(v, 0, b->width); };
    COLORREF* row = b->pixels.data() + static_cast<size_t>(y) * b->width;
    if (rim > 0) {
      const COLORREF rim_color = Stored(*b, pen->color);
      FillPixels(row + clip(ox0), clip(ix0) - clip(ox0), rim_color);
      int from = clip(std::max(ix1, ix0));
      FillPixels(row + from, clip(ox1) - from, rim_color);
    }
    if (brush && ix0 < ix1) {
      int from = rim > 0 ? ix0 : ox0, to = rim > 0 ? ix1 : ox1;
      if (clip(from) < clip(to)) FillSpan(*b, *dc, *brush, y, clip(from), clip(to));
    }
  }
  return true;
}

bool DrawFocusRect(HDC hdc, const RECT* rect) {
  Bitmap* b = TargetBitmap(hdc);
  if (!b || !rect) return false;
  int l = rect->left, t = rect->top, r = rect->right - 1, btm = rect->bottom - 1;
  if (r < l || btm < t) return true;
  auto invert = [&](int x, int y) {
    // A dotted line: every other pixel, aligned to the context's origin.
    if (((x + y) & 1) != 0 || x < 0 || y < 0 || x >= b->width || y >= b->height) return;
    COLORREF& p = b->pixels[static_cast<size_t>(y) * b->width + x];
    p ^= 0x00FFFFFF;
  };
  for (int x = l; x <= r; ++x) invert(x, t);
  if (btm != t)
    for (int x = l; x <= r; ++x) invert(x, btm);
  for (int y = t + 1; y < btm; ++y) {
    invert(l, y);
    if (r != l) invert(r, y);
  }
  return true;
}

}  // namespace vg::gdi
