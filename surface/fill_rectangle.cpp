// FillRectangle: solid, hatched or gradient fills of the current rectangle, then rivets.
#include <cmath>

#include "platform/automation/numeric.h"
#include "surface/gdi_guards.h"
#include "surface/mod_gradient.h"
#include "surface/off_screen_dc.h"
#include "surface/wide_rect.h"

namespace vg {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kLightGrey = 0xC0C0C0;
constexpr COLORREF kGrey = 0x808080;

}  // namespace

void OffScreenDC::FillRectangle() {
  // A brush style outside the hatch styles makes no brush, and nothing is painted.
  if (brush_style_ < 0 || brush_style_ > gdi::HS_DIAGCROSS + 1) return;
  gdi::SetBkColor(mem_dc_, Rgb(background_color_));
  if (gradient_style_ != 0) {
    PaintGradient();  // a gradient hides any hatch
  } else if (brush_style_ == 0) {
    gdi::FillSolidRect(mem_dc_, &rect_, Rgb(background_color_));
  } else {
    // A hatch brush shows BackgroundColor in its gaps through the opaque background mode.
    OwnedObject brush(gdi::CreateHatchBrush(brush_style_ - 1, Rgb(brush_color_)));
    if (!brush) return;
    BkModeScope opaque(mem_dc_, gdi::OPAQUE);
    gdi::FillRect(mem_dc_, &rect_, brush.get());
  }
  if (rivets_style_ != 0) DrawRivets();
}

void OffScreenDC::PaintGradient() {
  // The gradient leaves the border strip as it was, for the border to be drawn on.
  const WideRect inner = Inset(rect_, border_width_);
  GradientPass passes[2];
  const int count = SetupGradient(gradient_style_, gradient_granularity_, color_levels_, inner,
                                  static_cast<int32_t>(Rgb(gradient_color_)),
                                  static_cast<int32_t>(Rgb(gradient_color_end_)), passes);
  for (int i = 0; i < count; ++i) PaintGradientPass(mem_dc_, passes[i]);
}

void OffScreenDC::DrawRivets() {
  const int64_t bw = border_width_;
  const WideRect at = Inset(rect_, bw + 7);
  const int32_t left = Saturate32(at.left), right = Saturate32(at.right);
  const int32_t top = Saturate32(at.top), bottom = Saturate32(at.bottom);
  DrawRivet(left, top);
  DrawRivet(right, top);
  DrawRivet(left, bottom);
  DrawRivet(right, bottom);
  if (rivets_style_ > 2) {
    // The middle rivets sit BW pixels right of, or below, the middle of their side.
    const double l = left_, t = top_;
    int32_t mx = RoundToInt32((static_cast<double>(right_) - l) / 2.0 + (l + bw));
    int32_t my = RoundToInt32((static_cast<double>(bottom_) - t) / 2.0 + (t + bw));
    DrawRivet(mx, top);
    DrawRivet(right, my);
    DrawRivet(mx, bottom);
    DrawRivet(left, my);
  }
}

void OffScreenDC::Square(int32_t left, int32_t top, int32_t right, int32_t bottom, COLORREF color) {
  const gdi::RECT r{left, top, right, bottom};
  gdi::FillSolidRect(mem_dc_, &r, color);
}

// A rivet at a saturated position lies outside the surface; its squares saturate the same
// way, so nothing of it is drawn and nothing overflows.
void OffScreenDC::DrawRivet(int32_t x, int32_t y) {
  const bool raised = rivets_style_ == 1 || rivets_style_ == 3;
  auto square = [&](int64_t l, int64_t t, int64_t r, int64_t b, COLORREF color) {
    Square(Saturate32(l), Saturate32(t), Saturate32(r), Saturate32(b), color);
  };
  const int64_t x0 = x, y0 = y;
  square(x0, y0, x0 + 2, y0 + 2, raised ? kGrey : kWhite);          // lower right
  square(x0 - 1, y0 - 1, x0 + 1, y0 + 1, raised ? kWhite : kGrey);  // upper left, over it
  square(x0, y0, x0 + 1, y0 + 1, kLightGrey);                       // the centre
}

}  // namespace vg
