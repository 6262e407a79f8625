#include "platform/gdi/object_table.h"

namespace vg::gdi::detail {
namespace {

struct Table {
  std::vector<Slot> slots;
  std::vector<uint32_t> free_list;
  int live = 0;
  HBITMAP stock_bitmap = 0;
  HBRUSH stock_brush = 0;
  HPEN stock_pen = 0;
  HFONT stock_font = 0;
  int screen_dpi = 96;

  Table() {
    Bitmap one;
    one.width = one.height = 1;
    one.bits_per_pixel = 1;
    one.pixels.assign(1, 0);
    stock_bitmap = InsertStock(std::move(one));
    stock_brush = InsertStock(Brush{false, 0, RGB(255, 255, 255)});
    stock_pen = InsertStock(Pen{0, 1, 0});
    Font system;
    system.record.lfHeight = -16;
    system.record.lfWeight = 700;
    stock_font = InsertStock(system);
  }

  template <class T>
  HGDIOBJ InsertStock(T object) {
    HGDIOBJ h;
    Slot& s = NewSlot(false, &h);  // not through table(): it is being made
    s.object.template emplace<T>(std::move(object));
    s.stock = true;
    return h;
  }

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

// The table is made on first use; afterwards reaching it is one load, which matters
// because every call of the device looks handles up in it.
Table* g_table = nullptr;

[[gnu::noinline]] Table& MakeTable() {
  static Table t;
  g_table = &t;
  g_slots = &t.slots;
  return t;
}

inline Table& table() {
  return g_table ? *g_table : MakeTable();
}

}  // namespace

std::vector<Slot>* g_slots = nullptr;

std::vector<Slot>& MakeSlots() {
  return table().slots;
}

Slot& NewSlot(bool counted, HGDIOBJ* handle) {
  return table().NewSlot(counted, handle);
}

void Erase(HGDIOBJ handle) {
  Slot* s = Lookup(handle);
  if (!s || s->stock) return;
  Table& t = table();
  if (!s->uncounted) --t.live;
  // The generation moves on, so every handle to this slot is stale from here; only a
  // bitmap's pixels are worth giving back at once.
  if (Bitmap* b = std::get_if<Bitmap>(&s->object)) std::vector<COLORREF>().swap(b->pixels);
  s->delete_pending = false;
  s->selected = 0;
  ++s->generation;
  t.free_list.push_back(static_cast<uint32_t>(handle & 0xFFFFFFFFu) - 1);
}

HBITMAP StockBitmap() {
  return table().stock_bitmap;
}
HBRUSH StockBrush() {
  return table().stock_brush;
}
HPEN StockPen() {
  return table().stock_pen;
}
HFONT StockFont() {
  return table().stock_font;
}

}  // namespace vg::gdi::detail

namespace vg::gdi {

int LiveObjectCount() {
  return detail::table().live;
}
void SetScreenDpi(int dpi) {
  detail::table().screen_dpi = dpi > 0 ? dpi : 96;
}
int GetScreenDpi() {
  return detail::table().screen_dpi;
}

}  // namespace vg::gdi
