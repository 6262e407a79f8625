#include "platform/gdi/object_table.h"

namespace vg::gdi::detail {

Table::Table() {
  // Stock objects are made here directly (not through table(): it is being made).
  auto stock = [this](auto object) {
    HGDIOBJ h;
    Slot& s = NewSlot(false, &h);
    s.object.template emplace<decltype(object)>(std::move(object));
    s.stock = true;
    return h;
  };
  Bitmap one;
  one.width = one.height = 1;
  one.bits_per_pixel = 1;
  one.pixels.assign(1, 0);
  stock_bitmap = stock(std::move(one));
  stock_brush = stock(Brush{false, 0, RGB(255, 255, 255)});
  stock_pen = stock(Pen{0, 1, 0});
  Font system;
  system.record.lfHeight = -16;
  system.record.lfWeight = 700;
  stock_font = stock(system);
}

thread_local Table* g_table = nullptr;

Table& MakeTable() {
  thread_local Table t;
  g_table = &t;
  return t;
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

}  // namespace vg::gdi
