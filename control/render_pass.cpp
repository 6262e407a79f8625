// The render pass: turns the control's settings into surface operations and copies the
// finished picture to the window in one step.
#include "control/enums.h"
#include "control/varigauge.h"
#include "platform/automation/conversions.h"
#include "platform/automation/numeric.h"

namespace vg {

void Varigauge::AutoSizeToPicture(int16_t bw) {
  // The hidden picture holder takes the picture's size in pixels.
  int width = HimetricToPixels(state_.picture->HimetricWidth());
  int height = HimetricToPixels(state_.picture->HimetricHeight());
  int32_t mode = state_.picture_auto_size;
  if (mode == vgWidthAutoSize || mode == vgBothAutoSize)
    host_.SetWidth(RoundToInt32((width + 2.0 * bw) * host_.TwipsPerPixelX()));
  if (mode == vgHeightAutoSize || mode == vgBothAutoSize)
    host_.SetHeight(RoundToInt32((height + 2.0 * bw) * host_.TwipsPerPixelY()));
}

void Varigauge::RenderPass() {
  // Gate: the switches, then the scale ranges (computed in 16 bits).
  if (!state_.redraw || state_.dont_refresh_after_property_page) return;
  int16_t h_range = CheckedInteger(int32_t{state_.h_max_value} - state_.h_min_value);
  int16_t v_range = CheckedInteger(int32_t{state_.v_max_value} - state_.v_min_value);
  if (h_range == 0 || v_range == 0) return;

  // The etched and bump styles are always one pixel wide.
  int16_t bw = state_.border_width;
  if (state_.border_style >= vgEtched && state_.border_width > 0) bw = 1;

  if (state_.picture) AutoSizeToPicture(bw);  // may replace the surface
  if (!surface_) return;

  float scale_width = static_cast<float>(host_.ScaleWidth());
  float scale_height = static_cast<float>(host_.ScaleHeight());
  h_scale_ = (scale_width - 2.0f * bw) / static_cast<float>(h_range);
  v_scale_ = (scale_height - 2.0f * bw) / static_cast<float>(v_range);

  // Background: the only colour the pass translates from a system colour.
  OffScreenDC& dc = *surface_;
  bool enabled = host_.Enabled();
  auto or_disabled = [&](OLE_COLOR c) {
    return static_cast<int32_t>(enabled ? c : state_.disabled_color);
  };
  COLORREF back = 0;
  OleTranslateColor(state_.back_color, 0, &back);
  dc.put_Left(0);
  dc.put_Top(0);
  dc.put_Right(RoundToInt32(scale_width));
  dc.put_Bottom(RoundToInt32(scale_height));
  dc.put_BorderStyle(state_.border_style);
  dc.put_BorderWidth(bw);
  dc.put_BackgroundColor(static_cast<int32_t>(back));
  dc.put_BrushStyle(state_.brush_style);
  dc.put_BrushColor(or_disabled(state_.brush_color));
  dc.put_GradientStyle(state_.gradient_style);
  dc.put_GradientGranularity(state_.gradient_granularity);
  dc.put_GradientColor(or_disabled(state_.gradient_color));
  dc.put_GradientColorEnd(or_disabled(state_.gradient_color_end));
  dc.put_RivetsStyle(CheckedInteger(state_.rivets_style));  // 6 beyond 16 bits
  dc.FillRectangle();

  // The blocks are visited twice (under and on top) by a 16-bit counter.
  CheckedInteger(int64_t{2} * blocks_.count());

  dc.BlastToScreen(0, 0, -1, -1);
}

}  // namespace vg
