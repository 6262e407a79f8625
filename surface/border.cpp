// Frames, ellipses and the focus rectangle.
#include <algorithm>

#include "surface/border_bands.h"
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

// A distance from one side of the rectangle: k pixels in from the near side (left or top)
// or from the far side (right or bottom, which are exclusive).
struct Measure {
  bool far;
  int32_t k;
};
Measure Near(int32_t k) {
  return {false, k};
}
Measure Far(int32_t k) {
  return {true, k};
}

// One solid band of the frame, [x0, x1) x [y0, y1), in the first or the second colour.
struct Band {
  Measure x0, x1, y0, y1;
  bool second;
};

// The pixels the frame's lines cover at 96 dpi, as bands measured from the rectangle's
// sides. The single-line styles: the first colour along the top and left, the second along
// the bottom and right over it, each `w` wide. The double-line styles: an outer and an
// inner one-pixel outline, inset by the line's centre offset as the pens draw them.
int FrameBands(bool double_line, int32_t w, Band out[8]) {
  if (!double_line) {
    w = std::max(w, 1);  // a pen thinner than one pixel draws one-pixel lines
    out[0] = {Near(1), Far(0), Near(0), Near(w), false};  // top
    out[1] = {Near(0), Near(w), Near(0), Far(1), false};  // left
    out[2] = {Near(0), Far(1), Far(w), Far(0), true};     // bottom
    out[3] = {Far(w), Far(0), Near(1), Far(0), true};     // right
    return 4;
  }
  const int32_t h = w / 2, g = (w - 1) / 2;
  // The first colour's outline: outer top and left, inner bottom and right.
  out[0] = {Near(h + 1), Far(g + 1), Near(h), Near(h + 1), false};
  out[1] = {Near(h), Near(h + 1), Near(h), Far(g + 2), false};
  out[2] = {Near(h), Far(g + 2), Far(g + 2), Far(g + 1), false};
  out[3] = {Far(g + 2), Far(g + 1), Near(h + 1), Far(g + 1), false};
  // The second colour's: outer right and bottom, inner left and top.
  out[4] = {Far(g + 1), Far(g), Near(h), Far(g + 1), true};
  out[5] = {Near(h), Far(g), Far(g + 1), Far(g), true};
  out[6] = {Near(h + 1), Near(h + 2), Near(h + 2), Far(g + 2), true};
  out[7] = {Near(h + 1), Far(g + 2), Near(h + 1), Near(h + 2), true};
  return 8;
}

}  // namespace

void PaintBorderBands(gdi::HDC dc, const gdi::RECT& rect, int32_t style, int32_t width,
                      const DeviceScale& scale) {
  BorderPens pens;
  if (!PensFor(style, &pens)) return;
  Band bands[8];
  const int count = FrameBands(pens.double_line, width, bands);
  auto x = [&](Measure m) {
    return m.far ? rect.right - scale.Px(m.k) : rect.left + scale.Px(m.k);
  };
  auto y = [&](Measure m) {
    return m.far ? rect.bottom - scale.Px(m.k) : rect.top + scale.Px(m.k);
  };
  for (int i = 0; i < count; ++i) {
    const Band& b = bands[i];
    const gdi::RECT r = Saturated({x(b.x0), y(b.y0), x(b.x1), y(b.y1)});
    gdi::FillSolidRect(dc, &r, b.second ? pens.second : pens.first);
  }
}

void OffScreenDC::DrawBorder() {
  BorderPens pens;
  if (!PensFor(border_style_, &pens)) return;
  // On a denser device the lines become bands of scaled width; at 96 dpi the pens draw them.
  if (!scale_.Unit()) return PaintBorderBands(mem_dc_, rect_, border_style_, border_width_, scale_);
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
  OwnedObject brush(brush_style_ != 0 ? HatchBrush()
                                      : gdi::CreateSolidBrush(Rgb(background_color_)));
  const int rim = static_cast<int>(scale_.Px(1));
  OwnedObject pen(gdi::CreatePen(gdi::PS_SOLID, rim, Rgb(background_color_)));
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
