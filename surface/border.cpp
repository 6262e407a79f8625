// Frames, ellipses and the focus rectangle.
#include "surface/off_screen_dc.h"

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
  gdi::HPEN pen = gdi::CreatePen(gdi::PS_SOLID, width, color);
  if (!pen) return false;
  gdi::HGDIOBJ old = gdi::SelectObject(dc, pen);
  if (old) {
    draw();
    gdi::SelectObject(dc, old);
  }
  gdi::DeleteObject(pen);
  return old != 0;
}

}  // namespace

void OffScreenDC::DrawBorder() {
  BorderPens pens;
  if (!PensFor(border_style_, &pens)) return;
  // Lines sit on their centre: h and g move them inward so a thick line stays inside.
  const int32_t h = border_width_ / 2, g = (border_width_ - 1) / 2;
  const int32_t l = left_ + h, t = top_ + h, r = right_ - g - 1, b = bottom_ - g - 1;
  gdi::HDC dc = mem_dc_;
  if (!pens.double_line) {
    WithPen(dc, border_width_, pens.first, [&] {
      gdi::MoveToEx(dc, r, t, nullptr);
      gdi::LineTo(dc, l, t);
      gdi::LineTo(dc, l, b);
    });
    // Continues from wherever the current position is (L, B when the first pen drew).
    WithPen(dc, border_width_, pens.second, [&] {
      gdi::LineTo(dc, r, b);
      gdi::LineTo(dc, r, t);
    });
    return;
  }
  WithPen(dc, 1, pens.first, [&] {
    gdi::MoveToEx(dc, r - 1, t, nullptr);
    gdi::LineTo(dc, l, t);
    gdi::LineTo(dc, l, b - 1);
    gdi::LineTo(dc, r - 1, b - 1);
    gdi::LineTo(dc, r - 1, t);
  });
  WithPen(dc, 1, pens.second, [&] {
    gdi::MoveToEx(dc, r, t, nullptr);
    gdi::LineTo(dc, r, b);
    gdi::LineTo(dc, l - 1, b);
    gdi::MoveToEx(dc, l + 1, b - 2, nullptr);
    gdi::LineTo(dc, l + 1, t + 1);
    gdi::LineTo(dc, r - 1, t + 1);
  });
}

void OffScreenDC::FillEllipse() {
  gdi::HBRUSH brush = brush_style_ != 0 ? gdi::CreateHatchBrush(brush_style_ - 1, Rgb(brush_color_))
                                        : gdi::CreateSolidBrush(Rgb(background_color_));
  gdi::HPEN pen = gdi::CreatePen(gdi::PS_SOLID, 1, Rgb(background_color_));
  if (!pen) {
    if (brush) gdi::DeleteObject(brush);
    return;
  }
  gdi::HGDIOBJ old_pen = gdi::SelectObject(mem_dc_, pen);
  if (old_pen && brush) {
    int old_mode = gdi::SetBkMode(mem_dc_, gdi::OPAQUE);
    gdi::SetBkColor(mem_dc_, Rgb(background_color_));
    if (gdi::HGDIOBJ old_brush = gdi::SelectObject(mem_dc_, brush)) {
      gdi::Ellipse(mem_dc_, left_, top_, right_, bottom_);
      gdi::SelectObject(mem_dc_, old_brush);
    }
    gdi::SetBkMode(mem_dc_, old_mode);
  }
  if (brush) gdi::DeleteObject(brush);
  if (old_pen) gdi::SelectObject(mem_dc_, old_pen);
  gdi::DeleteObject(pen);
}

void OffScreenDC::DrawFocusRect() {
  gdi::DrawFocusRect(mem_dc_, &rect_);
}

}  // namespace vg
