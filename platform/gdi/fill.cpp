// Brushes and rectangle fills.
#include <algorithm>
#include <new>

#include "platform/gdi/object_table.h"

namespace vg::gdi {
using namespace detail;

HBRUSH CreateSolidBrush(COLORREF color) {
  try {
    return Insert(Brush{false, 0, color & 0x00FFFFFF}, true);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return 0;
  try {
    return Insert(Brush{true, hatch, color & 0x00FFFFFF}, true);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

HBRUSH CreateHatchBrushForDpi(int hatch, COLORREF color, int dpi) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS || dpi < kDefaultDpi) return 0;
  try {
    return Insert(Brush{true, hatch, color & 0x00FFFFFF, dpi}, true);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

void detail::FillHatchSpan(Bitmap& b, const Dc& dc, const Brush& brush, int y, int x0, int x1) {
  COLORREF* row = b.pixels.data() + static_cast<size_t>(y) * b.width;
  bool opaque = dc.bk_mode == OPAQUE;
  const COLORREF ink = Stored(b, brush.color), gap = Stored(b, dc.bk_color);
  if (brush.pattern_dpi != kDefaultDpi) {
    // Device pixel x lies in pattern pixel x * 96 / dpi (x is never negative here): cells of
    // a whole or fractional number of device pixels, side by side from the origin.
    const int64_t dpi = brush.pattern_dpi;
    const uint8_t scaled_bits = kHatchPatterns[brush.hatch][(int64_t{y} * kDefaultDpi / dpi) & 7];
    for (int x = x0; x < x1; ++x) {
      if (scaled_bits & (0x80 >> ((int64_t{x} * kDefaultDpi / dpi) & 7)))
        row[x] = ink;
      else if (opaque)
        row[x] = gap;
    }
    return;
  }
  // The pattern is aligned to the context's origin, whatever is being filled.
  uint8_t bits = kHatchPatterns[brush.hatch][y & 7];
  for (int x = x0; x < x1; ++x) {
    if (bits & (0x80 >> (x & 7)))
      row[x] = ink;
    else if (opaque)
      row[x] = gap;
  }
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush_handle) {
  Bitmap* b = TargetBitmap(hdc);
  Brush* brush = Get<Brush>(brush_handle);
  if (!b || !rect || !brush) return 0;
  int left = std::max(rect->left, 0);
  int top = std::max(rect->top, 0);
  int right = std::min(rect->right, b->width);
  int bottom = std::min(rect->bottom, b->height);
  if (left >= right || top >= bottom) return 1;
  if (!brush->hatched) {
    // The common case, kept free of per-row calls.
    FillRows(b->pixels.data() + static_cast<size_t>(top) * b->width + left, b->width, bottom - top,
             right - left, Stored(*b, brush->color));
    return 1;
  }
  const Dc& dc = *Get<Dc>(hdc);
  for (int y = top; y < bottom; ++y) FillSpan(*b, dc, *brush, y, left, right);
  return 1;
}

bool FillSolidRect(HDC hdc, const RECT* rect, COLORREF color) {
  Bitmap* b = TargetBitmap(hdc);
  if (!b || !rect) return false;
  const int left = std::max(rect->left, 0), top = std::max(rect->top, 0);
  const int right = std::min(rect->right, b->width), bottom = std::min(rect->bottom, b->height);
  if (left < right && top < bottom)
    FillRows(b->pixels.data() + static_cast<size_t>(top) * b->width + left, b->width, bottom - top,
             right - left, Stored(*b, color & 0x00FFFFFF));
  return true;
}

}  // namespace vg::gdi
