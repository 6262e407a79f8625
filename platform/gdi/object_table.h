#pragma once
// Internal to the raster device: the table behind the handles. A handle is the slot
// index plus one in its low 32 bits and the slot's generation above, so a stale handle
// to a reused slot is recognised and refused.
#include <cstdint>
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
  int updates = 0;  // block copies received (window contexts)
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

}  // namespace vg::gdi::detail
