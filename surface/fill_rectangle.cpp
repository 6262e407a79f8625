// FillRectangle: solid, hatched or gradient fills of the current rectangle, then rivets.
#include <cmath>

#include "platform/automation/numeric.h"
#include "surface/mod_gradient.h"
#include "surface/off_screen_dc.h"

namespace vg {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kLightGrey = 0xC0C0C0;
constexpr COLORREF kGrey = 0x808080;

}  // namespace

void OffScreenDC::FillRectangle() {
  // A hatch brush shows BackgroundColor in its gaps through the opaque background mode.
  gdi::HBRUSH brush = brush_style_ != 0 ? gdi::CreateHatchBrush(brush_style_ - 1, Rgb(brush_color_))
                                        : gdi::CreateSolidBrush(Rgb(background_color_));
  if (brush == 0) return;
  int previous_mode = gdi::SetBkMode(mem_dc_, gdi::OPAQUE);
  gdi::SetBkColor(mem_dc_, Rgb(background_color_));
  if (gradient_style_ == 0)
    gdi::FillRect(mem_dc_, &rect_, brush);
  else
    PaintGradient();  // a gradient hides any hatch
  gdi::DeleteObject(brush);
  if (rivets_style_ != 0) DrawRivets();
  gdi::SetBkMode(mem_dc_, previous_mode);
}

void OffScreenDC::PaintGradient() {
  // The gradient leaves the border strip as it was, for the border to be drawn on.
  gdi::RECT inner{left_ + border_width_, top_ + border_width_, right_ - border_width_,
                  bottom_ - border_width_};
  GradientPass passes[2];
  int count = SetupGradientPasses(gradient_style_, inner,
                                  GradientSteps(color_levels_, gradient_granularity_),
                                  static_cast<int32_t>(Rgb(gradient_color_)),
                                  static_cast<int32_t>(Rgb(gradient_color_end_)), passes);
  for (int i = 0; i < count; ++i) PaintGradientPass(mem_dc_, passes[i]);
}

void OffScreenDC::DrawRivets() {
  const int32_t bw = border_width_;
  const int32_t left = left_ + bw + 7, right = right_ - bw - 7;
  const int32_t top = top_ + bw + 7, bottom = bottom_ - bw - 7;
  DrawRivet(left, top);
  DrawRivet(right, top);
  DrawRivet(left, bottom);
  DrawRivet(right, bottom);
  if (rivets_style_ > 2) {
    // The middle rivets sit BW pixels right of, or below, the middle of their side.
    int32_t mx = RoundToInt32((static_cast<double>(right_) - left_) / 2.0 + (left_ + bw));
    int32_t my = RoundToInt32((static_cast<double>(bottom_) - top_) / 2.0 + (top_ + bw));
    DrawRivet(mx, top);
    DrawRivet(right, my);
    DrawRivet(mx, bottom);
    DrawRivet(left, my);
  }
}

void OffScreenDC::Square(int32_t left, int32_t top, int32_t right, int32_t bottom, COLORREF color) {
  gdi::HBRUSH brush = gdi::CreateSolidBrush(color);
  if (!brush) return;
  gdi::RECT r{left, top, right, bottom};
  gdi::FillRect(mem_dc_, &r, brush);
  gdi::DeleteObject(brush);
}

void OffScreenDC::DrawRivet(int32_t x, int32_t y) {
  bool raised = rivets_style_ == 1 || rivets_style_ == 3;
  int previous_mode = gdi::SetBkMode(mem_dc_, gdi::OPAQUE);
  Square(x, y, x + 2, y + 2, raised ? kGrey : kWhite);          // lower right
  Square(x - 1, y - 1, x + 1, y + 1, raised ? kWhite : kGrey);  // upper left, over it
  Square(x, y, x + 1, y + 1, kLightGrey);                       // the centre
  gdi::SetBkMode(mem_dc_, previous_mode);
}

}  // namespace vg
