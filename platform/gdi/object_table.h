#pragma once
// Internal to the raster device: the table behind the handles. A handle is the slot
// index plus one in its low 32 bits and the slot's generation above, so a stale handle
// to a reused slot is recognised and refused.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/spans.h"

namespace vg::gdi::detail {

struct Bitmap {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 32;
  // A window shown in the screen's layout holds 0xFFRRGGBB pixels (what the screen's
  // backing store holds, so presenting them converts nothing); every other bitmap holds
  // COLORREF values.
  bool screen_layout = false;
  std::vector<COLORREF> pixels;
};

// A colour as the bitmap stores it.
inline COLORREF Stored(const Bitmap& b, COLORREF color) {
  return b.screen_layout ? SwapRedBlue(color) | 0xFF000000u : color;
}
// The colour of a stored pixel.
inline COLORREF Loaded(const Bitmap& b, COLORREF pixel) {
  return b.screen_layout ? SwapRedBlue(pixel) & 0x00FFFFFFu : pixel;
}

struct Brush {
  bool hatched = false;
  int hatch = 0;
  COLORREF color = 0;
  int pattern_dpi = kDefaultDpi;  // hatch: the pattern's pixels are 1/96 inch at this resolution
};

struct Pen {
  int style = 0;
  int width = 1;
  COLORREF color = 0;
};

class RealizedFont;

struct Font {
  LOGFONTA record;
  // The realised form found last, valid while the font cache's epoch is unchanged.
  RealizedFont* realized = nullptr;
  uint64_t epoch = 0;
};

struct Dc {
  bool window = false;
  int bits_per_pixel = 32;
  int planes = 1;
  int dpi = kDefaultDpi;  // LOGPIXELSX and LOGPIXELSY
  HBITMAP bitmap = 0;
  HBRUSH brush = 0;
  HPEN pen = 0;
  HFONT font = 0;
  int bk_mode = OPAQUE;
  COLORREF bk_color = RGB(255, 255, 255);
  COLORREF text_color = 0;
  int updates = 0;                     // block copies received (window contexts)
  WindowListener* listener = nullptr;  // told of every block copy (window contexts)
  int32_t pos_x = 0;                   // the current position, for lines
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

// The table behind the handles: the slots, the free ones, the count of live objects and
// the stock objects. Made on first use; every call of the device goes through it, so
// reaching it and the slot operations below are kept inline and short.
//
// Each thread has a table of its own (made on the thread's first call, gone when the
// thread ends). A control, its surface and its host live on one thread, so no handle is
// shared between threads; a table per thread lets two threads draw at once with no lock on
// the drawing path, where every call looks handles up. A handle is meaningful only on the
// thread that made it: elsewhere it names nothing, or an unrelated object of that thread's
// table (checked like any handle: in range and of the right kind, so never unsafe).
struct Table {
  std::vector<Slot> slots;
  std::vector<uint32_t> free_list;
  int live = 0;
  HBITMAP stock_bitmap = 0;
  HBRUSH stock_brush = 0;
  HPEN stock_pen = 0;
  HFONT stock_font = 0;

  Table();

  Slot& NewSlot(bool counted, HGDIOBJ* handle) {
    uint32_t index;
    if (!free_list.empty()) {
      index = free_list.back();
      free_list.pop_back();
    } else {
      index = static_cast<uint32_t>(slots.size());
      slots.emplace_back();
    }
    Slot& s = slots[index];
    s.stock = false;
    s.uncounted = !counted;
    s.delete_pending = false;
    s.selected = 0;
    if (counted) ++live;
    *handle = (static_cast<HGDIOBJ>(s.generation) << 32) | (index + 1);
    return s;
  }
};

extern thread_local Table* g_table;
Table& MakeTable();
inline Table& table() {
  return g_table ? *g_table : MakeTable();
}

// The slot behind a handle, or nullptr for 0, a stale or an unknown handle.
inline Slot* Lookup(HGDIOBJ handle) {
  std::vector<Slot>& slots = table().slots;
  const uint32_t index = static_cast<uint32_t>(handle & 0xFFFFFFFFu);
  if (index == 0 || index > slots.size()) return nullptr;
  Slot& s = slots[index - 1];
  return s.generation == static_cast<uint32_t>(handle >> 32) ? &s : nullptr;
}

// A fresh slot (from the free list when there is one) and its handle.
inline Slot& NewSlot(bool counted, HGDIOBJ* handle) {
  return table().NewSlot(counted, handle);
}

template <class T>
T* Get(HGDIOBJ handle) {
  Slot* s = Lookup(handle);
  return s ? std::get_if<T>(&s->object) : nullptr;
}

// Stores an object in a fresh slot. A slot that held the same kind before is assigned in
// place, which keeps making and deleting brushes and pens cheap.
template <class T>
HGDIOBJ Insert(T&& object, bool counted) {
  using Kind = std::decay_t<T>;
  HGDIOBJ handle;
  Slot& s = NewSlot(counted, &handle);
  if (Kind* same = std::get_if<Kind>(&s.object))
    *same = std::forward<T>(object);
  else
    s.object.template emplace<Kind>(std::forward<T>(object));
  return handle;
}
// Frees the slot behind `handle` (found already): its handles go stale and it goes on the
// free list.
inline void EraseSlot(Slot& s, HGDIOBJ handle) {
  if (s.stock) return;
  Table& t = table();
  if (!s.uncounted) --t.live;
  // The generation moves on, so every handle to this slot is stale from here; only a
  // bitmap's pixels are worth giving back at once.
  if (Bitmap* b = std::get_if<Bitmap>(&s.object)) std::vector<COLORREF>().swap(b->pixels);
  s.delete_pending = false;
  s.selected = 0;
  ++s.generation;
  t.free_list.push_back(static_cast<uint32_t>(handle & 0xFFFFFFFFu) - 1);
}

inline void Erase(HGDIOBJ handle) {
  if (Slot* s = Lookup(handle)) EraseSlot(*s, handle);
}

// Stock objects a new context starts with.
HBITMAP StockBitmap();
HBRUSH StockBrush();
HPEN StockPen();
HFONT StockFont();

// The bitmap selected into a context, or nullptr.
inline Bitmap* TargetBitmap(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? Get<Bitmap>(dc->bitmap) : nullptr;
}

// Paints x0..x1-1 of row y (already clipped to the bitmap) with a hatch brush, honouring
// the context's background mode for the gaps.
void FillHatchSpan(Bitmap& b, const Dc& dc, const Brush& brush, int y, int x0, int x1);

// Paints x0..x1-1 of row y (already clipped to the bitmap) with `brush`.
inline void FillSpan(Bitmap& b, const Dc& dc, const Brush& brush, int y, int x0, int x1) {
  if (brush.hatched) return FillHatchSpan(b, dc, brush, y, x0, x1);
  FillPixels(b.pixels.data() + static_cast<size_t>(y) * b.width + x0, x1 - x0,
             Stored(b, brush.color));
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
