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

  HGDIOBJ InsertStock(Object object) {
    HGDIOBJ h = Insert(std::move(object), false);
    slots[(h & 0xFFFFFFFFu) - 1].stock = true;
    return h;
  }

  HGDIOBJ Insert(Object object, bool counted) {
    uint32_t index;
    if (!free_list.empty()) {
      index = free_list.back();
      free_list.pop_back();
    } else {
      index = static_cast<uint32_t>(slots.size());
      slots.emplace_back();
    }
    Slot& s = slots[index];
    s.object = std::move(object);
    s.stock = false;
    s.uncounted = !counted;
    s.delete_pending = false;
    s.selected = 0;
    if (counted) ++live;
    return (static_cast<HGDIOBJ>(s.generation) << 32) | (index + 1);
  }
};

// The table is made on first use; afterwards reaching it is one load, which matters
// because every call of the device looks handles up in it.
Table* g_table = nullptr;

[[gnu::noinline]] Table& MakeTable() {
  static Table t;
  g_table = &t;
  return t;
}

inline Table& table() {
  return g_table ? *g_table : MakeTable();
}

}  // namespace

Slot* Lookup(HGDIOBJ handle) {
  uint32_t index = static_cast<uint32_t>(handle & 0xFFFFFFFFu);
  if (index == 0) return nullptr;
  Table& t = table();
  if (index > t.slots.size()) return nullptr;
  Slot& s = t.slots[index - 1];
  if (s.generation != static_cast<uint32_t>(handle >> 32)) return nullptr;
  if (std::holds_alternative<std::monostate>(s.object)) return nullptr;
  return &s;
}

HGDIOBJ Insert(Object object, bool counted) {
  return table().Insert(std::move(object), counted);
}

void Erase(HGDIOBJ handle) {
  Slot* s = Lookup(handle);
  if (!s || s->stock) return;
  Table& t = table();
  if (!s->uncounted) --t.live;
  s->object = std::monostate{};
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

Bitmap* TargetBitmap(HDC hdc) {
  Dc* dc = Get<Dc>(hdc);
  return dc ? Get<Bitmap>(dc->bitmap) : nullptr;
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
