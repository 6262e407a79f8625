#include "platform/host/drawing_box.h"

#include <algorithm>
#include <utility>

#include "platform/automation/conversions.h"

namespace vg {
namespace {

using Table = DispatchTable<DrawingBox>;

Table::Member Row(const char* name, DISPID id, Table::Getter get, Table::Putter put = nullptr) {
  Table::Member m;
  m.name = name;
  m.id = id;
  m.get = std::move(get);
  m.put = std::move(put);
  return m;
}

const Table& Members() {
  static const Table table = [] {
    Table t;
    t.Add(Row(
        "ScaleLeft", 1, [](DrawingBox& b, Args) { return Variant::Single(b.get_ScaleLeft()); },
        [](DrawingBox& b, Args, const Variant& v) { b.put_ScaleLeft(ToSingle(v)); }));
    t.Add(Row(
        "ScaleTop", 2, [](DrawingBox& b, Args) { return Variant::Single(b.get_ScaleTop()); },
        [](DrawingBox& b, Args, const Variant& v) { b.put_ScaleTop(ToSingle(v)); }));
    t.Add(Row("ScaleWidth", 3,
              [](DrawingBox& b, Args) { return Variant::Single(b.get_ScaleWidth()); }));
    t.Add(Row("ScaleHeight", 4,
              [](DrawingBox& b, Args) { return Variant::Single(b.get_ScaleHeight()); }));
    // The handle is 64 bits wide; a Double carries it exactly.
    t.Add(Row("hDC", 5,
              [](DrawingBox& b, Args) { return Variant::Double(static_cast<double>(b.hDC())); }));
    t.Add(Row(
        "BackColor", 6,
        [](DrawingBox& b, Args) { return Variant::Long(static_cast<int32_t>(b.get_BackColor())); },
        [](DrawingBox& b, Args, const Variant& v) {
          b.put_BackColor(static_cast<COLORREF>(ToLong(v)));
        }));
    Table::Member cls = Row("Cls", 7, nullptr);
    cls.method = [](DrawingBox& b, Args) {
      b.Cls();
      return Variant();
    };
    t.Add(std::move(cls));
    return t;
  }();
  return table;
}

}  // namespace

DrawingBox::DrawingBox(int width, int height, int bits_per_pixel)
    : dc_(gdi::CreateWindowDC(std::max(width, 0), std::max(height, 0))) {
  SetDepth(bits_per_pixel);
  TakeSize();
}

DrawingBox::~DrawingBox() {
  gdi::DestroyWindowDC(dc_);
}

void DrawingBox::Resize(int width, int height) {
  gdi::ResizeWindowDC(dc_, std::max(width, 0), std::max(height, 0));
  TakeSize();
}

void DrawingBox::TakeSize() {
  const gdi::PixelView view = gdi::GetPixels(dc_);  // the device may refuse a huge size
  width_ = view.width;
  height_ = view.height;
  Cls();
}

void DrawingBox::SetDepth(int bits_per_pixel) {
  gdi::SetDeviceDepth(dc_, bits_per_pixel, 1);
}

void DrawingBox::put_BackColor(COLORREF color) {
  back_color_ = color & 0xFFFFFF;
  Cls();
}

void DrawingBox::Cls() {
  const gdi::RECT all{0, 0, width_, height_};
  if (gdi::HBRUSH brush = gdi::CreateSolidBrush(back_color_)) {
    gdi::FillRect(dc_, &all, brush);
    gdi::DeleteObject(brush);
  }
}

DISPID DrawingBox::GetIDOfName(std::string_view name) const {
  return Members().IdOf(name);
}

Variant DrawingBox::Invoke(DISPID id, uint16_t kind, Args args) {
  return Members().Invoke(*this, id, kind, args);
}

}  // namespace vg
