#pragma once
// Internal to the raster device: the table behind the handles. A handle is the slot
// index plus one in its low 32 bits and the slot's generation above, so a stale handle
// to a reused slot is recognised and refused.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <variant>
#include <vector>

#include "platform/gdi/gdi.h"

namespace vg::gdi::detail {

struct Bitmap {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 32;
  std::vector<COLORREF> pixels;
};

struct Brush {
  bool hatched = false;
  int hatch = 0;
  COLORREF color = 0;
};

struct Pen {
  int style = 0;
  int width = 1;
  COLORREF color = 0;
};

struct Font {
  LOGFONTA record;
};

struct Dc {
  bool window = false;
  int bits_per_pixel = 32;
  int planes = 1;
  HBITMAP bitmap = 0;
  HBRUSH brush = 0;
  HPEN pen = 0;
  HFONT font = 0;
  int bk_mode = OPAQUE;
  COLORREF bk_color = RGB(255, 255, 255);
  COLORREF text_color = 0;
  int updates = 0;    // block copies received (window contexts)
  int32_t pos_x = 0;  // the current position, for lines
  int32_t pos_y = 0;
};

using Object = std::variant<std::monostate, Bitmap, Brush, Pen, Font, Dc>;

struct Slot {
  uint32_t generation = 0;
  bool stock = false;           // never deleted, never counted
  bool uncounted = false;       // owned by the host's screen (window contexts and their bitmaps)
  bool delete_pending = false;  // deleted while selected: goes when the last context lets go
  int selected = 0;             // how many contexts hold it
  Object object;
};

// The slot behind a handle, or nullptr for 0, a stale or an unknown handle.
Slot* Lookup(HGDIOBJ handle);
template <class T>
T* Get(HGDIOBJ handle) {
  Slot* s = Lookup(handle);
  return s ? std::get_if<T>(&s->object) : nullptr;
}

HGDIOBJ Insert(Object object, bool counted);
void Erase(HGDIOBJ handle);

// Stock objects a new context starts with.
HBITMAP StockBitmap();
HBRUSH StockBrush();
HPEN StockPen();
HFONT StockFont();

// The bitmap selected into a context, or nullptr.
Bitmap* TargetBitmap(HDC hdc);

// Paints x0..x1-1 of row y (already clipped to the bitmap) with a hatch brush, honouring
// the context's background mode for the gaps.
void FillHatchSpan(Bitmap& b, const Dc& dc, const Brush& brush, int y, int x0, int x1);

// Sets n pixels to one colour, four at a time where the processor allows.
inline void FillPixels(COLORREF* p, ptrdiff_t n, COLORREF color) {
#ifdef __SSE2__
  const __m128i four = _mm_set1_epi32(static_cast<int>(color));
  for (; n >= 4; n -= 4, p += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
#endif
  for (; n > 0; --n) *p++ = color;
}

// Paints x0..x1-1 of row y (already clipped to the bitmap) with `brush`.
inline void FillSpan(Bitmap& b, const Dc& dc, const Brush& brush, int y, int x0, int x1) {
  if (brush.hatched) return FillHatchSpan(b, dc, brush, y, x0, x1);
  FillPixels(b.pixels.data() + static_cast<size_t>(y) * b.width + x0, x1 - x0, brush.color);
}

// One byte a row of each hatch style, the leftmost pixel in the high bit.
inline constexpr uint8_t kHatchPatterns[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x08, 0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

}  // namespace vg::gdi::detail
