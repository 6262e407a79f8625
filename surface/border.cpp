// Frames, ellipses and the focus rectangle.
#include "surface/gdi_guards.h"
#include "surface/off_screen_dc.h"
#include "surface/wide_rect.h"

namespace vg {
namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kLightGrey = 0xC0C0C0;
constexpr COLORREF kGrey = 0x808080;

struct BorderPens {
  COLORREF first, second;
  bool double_line;
};

bool PensFor(int32_t style, BorderPens* out) {
  switch (style) {
    case 1:
      *out = {kBlack, kBlack, false};
      return true;  // flat
    case 2:
      *out = {kWhite, kGrey, false};
      return true;  // raised
    case 3:
      *out = {kGrey, kWhite, false};
      return true;  // inset
    case 4:
      *out = {kBlack, kWhite, true};
      return true;  // etched
    case 5:
      *out = {kGrey, kWhite, true};
      return true;  // etched light
    case 6:
      *out = {kLightGrey, kBlack, true};
      return true;  // bump
    case 7:
      *out = {kLightGrey, kGrey, true};
      return true;  // bump light
    default:
      return false;
  }
}

// Selects a solid pen for the lines `draw` makes, then puts the old pen back and deletes
// it. Returns false when the pen could not be made or selected (nothing drawn).
template <class Draw>
bool WithPen(gdi::HDC dc, int width, COLORREF color, Draw draw) {
  OwnedObject pen(gdi::CreatePen(gdi::PS_SOLID, width, color));
  if (!pen) return false;
  Selection selected(dc, pen.get());
  if (selected) draw();
  return static_cast<bool>(selected);
}

}  // namespace

void OffScreenDC::DrawBorder() {
  BorderPens pens;
  if (!PensFor(border_style_, &pens)) return;
  // Lines sit on their centre: h and g move them inward so a thick line stays inside.
  const int64_t h = border_width_ / 2, g = (border_width_ - 1) / 2;
  const int64_t l = left_ + h, t = top_ + h, r = right_ - g - 1, b = bottom_ - g - 1;
  gdi::HDC dc = mem_dc_;
  auto move = [dc](int64_t x, int64_t y) {
    gdi::MoveToEx(dc, Saturate32(x), Saturate32(y), nullptr);
  };
  auto line = [dc](int64_t x, int64_t y) { gdi::LineTo(dc, Saturate32(x), Saturate32(y)); };
  if (!pens.double_line) {
    WithPen(dc, border_width_, pens.first, [&] {
      move(r, t);
      line(l, t);
      line(l, b);
    });
    // Continues from wherever the current position is (L, B when the first pen drew).
    WithPen(dc, border_width_, pens.second, [&] {
      line(r, b);
      line(r, t);
    });
    return;
  }
  WithPen(dc, 1, pens.first, [&] {
    move(r - 1, t);
    line(l, t);
    line(l, b - 1);
    line(r - 1, b - 1);
    line(r - 1, t);
  });
  WithPen(dc, 1, pens.second, [&] {
    move(r, t);
    line(r, b);
    line(l - 1, b);
    move(l + 1, b - 2);
    line(l + 1, t + 1);
    line(r - 1, t + 1);
  });
}

void OffScreenDC::FillEllipse() {
  OwnedObject brush(brush_style_ != 0 ? gdi::CreateHatchBrush(brush_style_ - 1, Rgb(brush_color_))
                                      : gdi::CreateSolidBrush(Rgb(background_color_)));
  OwnedObject pen(gdi::CreatePen(gdi::PS_SOLID, 1, Rgb(background_color_)));
  if (!pen) return;
  Selection pen_in(mem_dc_, pen.get());
  if (!pen_in || !brush) return;
  BkModeScope opaque(mem_dc_, gdi::OPAQUE);
  gdi::SetBkColor(mem_dc_, Rgb(background_color_));
  if (Selection brush_in(mem_dc_, brush.get()); brush_in)
    gdi::Ellipse(mem_dc_, left_, top_, right_, bottom_);
}

void OffScreenDC::DrawFocusRect() {
  gdi::DrawFocusRect(mem_dc_, &rect_);
}

}  // namespace vg
