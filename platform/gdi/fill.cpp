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

namespace {

// One byte a row, the leftmost pixel in the high bit.
constexpr uint8_t kHatchPatterns[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

}  // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush_handle) {
  Bitmap* b = TargetBitmap(hdc);
  Brush* brush = Get<Brush>(brush_handle);
  if (!b || !rect || !brush) return 0;
  // An inverted rectangle is filled as its normalised form, as the pattern fill behind
  // FillRect orders its corners.
  int left = std::min(rect->left, rect->right), right = std::max(rect->left, rect->right);
  int top = std::min(rect->top, rect->bottom), bottom = std::max(rect->top, rect->bottom);
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, b->width);
  bottom = std::min(bottom, b->height);
  if (!brush->hatched) {
    for (int y = top; y < bottom; ++y) {
      COLORREF* row = b->pixels.data() + static_cast<size_t>(y) * b->width;
      std::fill(row + left, row + std::max(left, right), brush->color);
    }
    return 1;
  }
  const Dc* dc = Get<Dc>(hdc);
  bool opaque = dc->bk_mode == OPAQUE;
  for (int y = top; y < bottom; ++y) {
    COLORREF* row = b->pixels.data() + static_cast<size_t>(y) * b->width;
    uint8_t bits = kHatchPatterns[brush->hatch][y & 7];
    for (int x = left; x < right; ++x) {
      if (bits & (0x80 >> (x & 7)))
        row[x] = brush->color;
      else if (opaque)
        row[x] = dc->bk_color;
    }
  }
  return 1;
}

}  // namespace vg::gdi
