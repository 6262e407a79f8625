// FillRectangle: solid, hatched or gradient fills of the current rectangle, then rivets.
#include <algorithm>
#include <cmath>

#include "platform/automation/numeric.h"
#include "surface/gdi_guards.h"
#include "surface/gradient_bands.h"
#include "surface/off_screen_dc.h"
#include "surface/wide_rect.h"

namespace vg {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kLightGrey = 0xC0C0C0;
constexpr COLORREF kGrey = 0x808080;

}  // namespace

void OffScreenDC::FillRectangle(const gdi::RECT* covered) {
  // A brush style outside the hatch styles makes no brush, and nothing is painted.
  if (brush_style_ < 0 || brush_style_ > gdi::HS_DIAGCROSS + 1) return;
  gdi::SetBkColor(mem_dc_, Rgb(background_color_));
  if (gradient_style_ != 0) {
    PaintGradient();  // a gradient hides any hatch
  } else if (brush_style_ == 0) {
    if (covered)
      FillSolidAround(mem_dc_, rect_, *covered, Rgb(background_color_));
    else
      gdi::FillSolidRect(mem_dc_, &rect_, Rgb(background_color_));
  } else {
    // A hatch brush shows BackgroundColor in its gaps through the opaque background mode.
    OwnedObject brush(HatchBrush());
    if (!brush) return;
    BkModeScope opaque(mem_dc_, gdi::OPAQUE);
    gdi::FillRect(mem_dc_, &rect_, brush.get());
  }
  if (rivets_style_ != 0) DrawRivets();
}

int OffScreenDC::GradientPasses(GradientPass passes[2]) const {
  // The gradient leaves the border strip as it was, for the border to be drawn on.
  const WideRect inner = Inset(rect_, scale_.Px(border_width_));
  return SetupGradient(gradient_style_, gradient_granularity_, color_levels_, inner,
                       static_cast<int32_t>(Rgb(gradient_color_)),
                       static_cast<int32_t>(Rgb(gradient_color_end_)), passes);
}

void OffScreenDC::PaintGradient() {
  GradientPass passes[2];
  const int count = GradientPasses(passes);
  for (int i = 0; i < count; ++i) PaintGradientPass(mem_dc_, passes[i]);
}

gdi::RECT OffScreenDC::PaintedOver() const {
  const gdi::RECT none{0, 0, 0, 0};
  if (brush_style_ < 0 || brush_style_ > gdi::HS_DIAGCROSS + 1) return none;  // paints nothing
  if (gradient_style_ == 0) return brush_style_ == 0 ? rect_ : none;
  GradientPass passes[2];
  const int count = GradientPasses(passes);
  gdi::RECT cover;
  return KeptGradientCover(mem_dc_, passes, count, &cover) ? cover : none;
}

void OffScreenDC::DrawRivets() {
  const int64_t bw = scale_.Px(border_width_);
  const WideRect at = Inset(rect_, scale_.Px(int32_t{border_width_} + 7));
  const int32_t left = Saturate32(at.left), right = Saturate32(at.right);
  const int32_t top = Saturate32(at.top), bottom = Saturate32(at.bottom);
  const gdi::WritablePixels px = gdi::GetWritablePixels(mem_dc_);
  DrawRivet(px, left, top);
  DrawRivet(px, right, top);
  DrawRivet(px, left, bottom);
  DrawRivet(px, right, bottom);
  if (rivets_style_ > 2) {
    // The middle rivets sit BW pixels right of, or below, the middle of their side.
    const double l = left_, t = top_;
    int32_t mx = RoundToInt32((static_cast<double>(right_) - l) / 2.0 + (l + bw));
    int32_t my = RoundToInt32((static_cast<double>(bottom_) - t) / 2.0 + (t + bw));
    DrawRivet(px, mx, top);
    DrawRivet(px, right, my);
    DrawRivet(px, mx, bottom);
    DrawRivet(px, left, my);
  }
}

// A rivet is three squares, each over the ones before: the lower right 2 x 2 (grey when
// raised), the upper left 2 x 2 (white when raised) and the centre pixel light grey. What
// shows are seven pixels of the 3 x 3 around (x, y), written straight into the surface's
// pixels; those outside the surface (a rivet at a saturated position, say) are left out.
// On a denser device each of the seven is a cell of scaled size, the centre cell starting
// at (x, y).
void OffScreenDC::DrawRivet(const gdi::WritablePixels& px, int32_t x, int32_t y) {
  const bool raised = rivets_style_ == 1 || rivets_style_ == 3;
  const COLORREF lower = raised ? kGrey : kWhite, upper = raised ? kWhite : kGrey;
  const struct {
    int dx, dy;
    COLORREF color;
  } shown[7] = {{-1, -1, upper}, {0, -1, upper}, {-1, 0, upper}, {0, 0, kLightGrey},
                {1, 0, lower},   {0, 1, lower},  {1, 1, lower}};
  if (scale_.Unit()) {
    for (const auto& p : shown) {
      const int64_t px_x = int64_t{x} + p.dx, px_y = int64_t{y} + p.dy;
      if (px_x >= 0 && px_y >= 0 && px_x < px.width && px_y < px.height)
        px.pixels[px_y * px.width + px_x] = px.Stored(p.color);
    }
    return;
  }
  const int64_t one = scale_.Px(1);
  for (const auto& p : shown) {
    // The 3 x 3 box starts Px(1) up and left of (x, y); the cell at offset d spans
    // [Px(d + 1), Px(d + 2)) from there, so the cells meet at any ratio.
    const int64_t x0 = std::max<int64_t>(int64_t{x} - one + scale_.Px(p.dx + 1), 0);
    const int64_t x1 = std::min<int64_t>(int64_t{x} - one + scale_.Px(p.dx + 2), px.width);
    const int64_t y0 = std::max<int64_t>(int64_t{y} - one + scale_.Px(p.dy + 1), 0);
    const int64_t y1 = std::min<int64_t>(int64_t{y} - one + scale_.Px(p.dy + 2), px.height);
    for (int64_t row = y0; row < y1; ++row)
      std::fill(px.pixels + row * px.width + x0, px.pixels + row * px.width + std::max(x0, x1),
                px.Stored(p.color));
  }
}

}  // namespace vg
