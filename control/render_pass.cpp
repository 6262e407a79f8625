// The render pass: turns the control's settings and blocks into surface operations and
// copies the finished picture to the window in one step.
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "control/enums.h"
#include "control/varigauge.h"
#include "platform/automation/conversions.h"
#include "platform/automation/numeric.h"

namespace vg {
namespace {

// Writes a non-negative number as plain digits, reusing the string's storage.
void Digits(int64_t value, std::string* out) {
  char digits[24];
  int n = 0;
  do digits[n++] = static_cast<char>('0' + value % 10), value /= 10;
  while (value > 0);
  out->assign(std::make_reverse_iterator(digits + n), std::make_reverse_iterator(digits));
}

// Percent of `part` in a scale range, whole number part: exact integer arithmetic, so that
// 29 of 100 gives "29".
void Percentage(int64_t part, int64_t range, std::string* out) {
  Digits(std::llabs(part) * 100 / std::llabs(range), out);
}

// Percent of `part` pixels in a drawing extent, which may be fractional; a control of no
// extent gives 0 rather than a division by zero.
void PixelPercentage(int64_t part, double extent, std::string* out) {
  if (extent == 0.0) return Digits(0, out);
  if (extent == std::trunc(extent) && std::fabs(extent) < 1e9)
    return Percentage(part, static_cast<int64_t>(extent), out);
  Digits(static_cast<int64_t>(std::llabs(part) / std::fabs(extent) * 100.0), out);
}

}  // namespace

void Varigauge::AutoSizeToPicture(int16_t bw) {
  if (!picture1_) return;
  // The hidden picture box takes the picture's size in pixels.
  picture1_->SetPicture(state_.picture);
  const double width = picture1_->ScaleWidth(), height = picture1_->ScaleHeight();
  picture1_->Clear();
  const int32_t mode = state_.picture_auto_size;
  if (mode == vgWidthAutoSize || mode == vgBothAutoSize)
    host_.SetWidth(RoundToInt32((width + 2.0 * bw) * host_.TwipsPerPixelX()));
  if (mode == vgHeightAutoSize || mode == vgBothAutoSize)
    host_.SetHeight(RoundToInt32((height + 2.0 * bw) * host_.TwipsPerPixelY()));
}

const std::string& Varigauge::ExpandedText(int32_t /*block*/, const std::string& text) {
  // The one place where live fields will be filled in; for now the text stays as it is.
  expanded_text_.assign(text);
  return expanded_text_;
}

int32_t Varigauge::OrDisabled(OLE_COLOR color) const {
  // The pass reads Enabled before each colour choice.
  return static_cast<int32_t>(host_.Enabled() ? color : state_.disabled_color);
}

void Varigauge::DrawPicture(const StdPictureRef& picture, int16_t offset, int32_t tile,
                            int32_t alignment) {
  if (!picture1_) return;
  OffScreenDC& dc = *surface_;
  dc.put_PictureOffset(offset);
  dc.put_PictureTile(tile);
  dc.put_PictureAlignment(alignment);
  picture1_->SetPicture(picture);
  dc.DrawBitmap(*picture1_);
  picture1_->Clear();
}

void Varigauge::DrawText(const std::string& text, int32_t alignment, int16_t offset, int32_t color,
                         const StdFontRef& font, int32_t font_3d, int16_t angle,
                         int32_t auto_angle) {
  OffScreenDC& dc = *surface_;
  dc.put_Text(text);
  dc.put_TextAlignment(alignment);
  dc.put_TextOffset(offset);
  dc.put_TextColor(color);
  dc.putref_TextFont(font);
  dc.put_Font3D(font_3d);
  dc.put_TextAngle(angle);
  dc.put_TextAutoAngle(auto_angle);
  dc.DisplayText();
}

void Varigauge::RenderPass() {
  // Step 1, gate: the switches, then the scale ranges (computed in 16 bits).
  if (!state_.redraw || state_.dont_refresh_after_property_page) return;
  const int16_t h_range = CheckedInteger(int32_t{state_.h_max_value} - state_.h_min_value);
  const int16_t v_range = CheckedInteger(int32_t{state_.v_max_value} - state_.v_min_value);
  if (h_range == 0 || v_range == 0) return;

  // Step 2: the etched and bump styles are always one pixel wide.
  int16_t bw = state_.border_width;
  if (state_.border_style >= vgEtched && state_.border_width > 0) bw = 1;

  // Step 3: sizing to the picture may replace the surface.
  if (state_.picture && state_.picture_auto_size != vgNoneAutoSize) AutoSizeToPicture(bw);
  if (!surface_) return;

  // Step 4, scale factors in single precision.
  const float scale_width = static_cast<float>(host_.ScaleWidth());
  const float scale_height = static_cast<float>(host_.ScaleHeight());
  h_scale_ = (scale_width - 2.0f * bw) / static_cast<float>(h_range);
  v_scale_ = (scale_height - 2.0f * bw) / static_cast<float>(v_range);

  OffScreenDC& dc = *surface_;

  // Step 5, background: BackColor is the only colour translated here.
  COLORREF back = 0;
  OleTranslateColor(state_.back_color, 0, &back);
  const int32_t width = RoundToInt32(scale_width), height = RoundToInt32(scale_height);
  dc.put_Left(0);
  dc.put_Top(0);
  dc.put_Right(width);
  dc.put_Bottom(height);
  dc.put_BorderStyle(state_.border_style);
  dc.put_BorderWidth(bw);
  dc.put_BackgroundColor(static_cast<int32_t>(back));
  dc.put_BrushStyle(state_.brush_style);
  dc.put_BrushColor(OrDisabled(state_.brush_color));
  dc.put_GradientStyle(state_.gradient_style);
  dc.put_GradientGranularity(state_.gradient_granularity);
  dc.put_GradientColor(OrDisabled(state_.gradient_color));
  dc.put_GradientColorEnd(OrDisabled(state_.gradient_color_end));
  dc.put_RivetsStyle(CheckedInteger(state_.rivets_style));  // 6 beyond 16 bits
  dc.FillRectangle();

  // Step 6, the control's frame.
  if (state_.border_style != vgNoneBorder) {
    if (bw == 0) dc.put_BorderStyle(vgNoneBorder);
    dc.put_BorderWidth(bw);
    dc.DrawBorder();
  } else {
    dc.put_BorderWidth(0);
  }

  // Step 7, the caption, under the picture and the blocks.
  if (!state_.caption.empty())
    DrawText(state_.caption, state_.caption_alignment, state_.caption_offset,
             OrDisabled(host_.ForeColor()), host_.Font(), state_.caption_font_3d,
             state_.caption_angle, state_.caption_auto_angle);

  // Step 8, the control's picture inside the frame.
  dc.put_Left(bw);
  dc.put_Top(bw);
  dc.put_Right(width - bw);
  dc.put_Bottom(height - bw);
  if (state_.picture && state_.picture->Type() != vbPicTypeNone)
    DrawPicture(state_.picture, state_.picture_offset, state_.picture_tile,
                state_.picture_alignment);

  // Step 9, the blocks: all that are not on top, then all that are, each in ascending
  // number, counted in 16 bits.
  const int32_t count = blocks_.count();
  const int16_t visits = CheckedInteger(int64_t{2} * count);
  int32_t l = 0, t = 0, r = 0, b = 0;
  for (int32_t i = 1; i <= visits; ++i) {
    const int32_t n = (i - 1) % count + 1;
    BlockRecord& block = blocks_.At(n);
    const bool second_pass = i > count;
    if (block.OnTop != second_pass || block.BarLeft < 0 || block.BarRight < 0 || block.BarTop < 0 ||
        block.BarBottom < 0 || !block.Visible)
      continue;
    RenderBlock(n, block, h_range, v_range, bw, l, t, r, b);
  }

  // Step 10, one copy of the whole picture to the window.
  dc.BlastToScreen(0, 0, -1, -1);
}

void Varigauge::RenderBlock(int32_t n, BlockRecord& block, int16_t h_range, int16_t v_range,
                            int16_t bw, int32_t& l, int32_t& t, int32_t& r, int32_t& b) {
  OffScreenDC& dc = *surface_;
  const float w = static_cast<float>(host_.ScaleWidth());
  const float h = static_cast<float>(host_.ScaleHeight());

  // Percentages and scale factors: scale values, or pixels when the block does not size
  // itself to the scales.
  float sh = 1.0f, sv = 1.0f;
  const int32_t h_extent = int32_t{block.BarLeft} - block.BarRight;
  const int32_t v_extent = int32_t{block.BarTop} - block.BarBottom;
  if (block.AutoSize) {
    Percentage(h_extent, h_range, &block.HPercentage);
    Percentage(v_extent, v_range, &block.VPercentage);
    sh = h_scale_;
    sv = v_scale_;
  } else {
    PixelPercentage(h_extent, host_.ScaleWidth(), &block.HPercentage);
    PixelPercentage(v_extent, host_.ScaleHeight(), &block.VPercentage);
  }

  // The text's live fields may move this block's bars, so they are expanded before the
  // rectangle is computed.
  const std::string& text = block.Text.empty() ? block.Text : ExpandedText(n, block.Text);

  // The rectangle by orientation, in single precision, each edge rounded halves to even.
  const float fbw = bw;
  auto px = [](float v) { return RoundToInt32(v); };
  switch (state_.orientation) {
    case vgFromLeft:
      l = px(block.BarLeft * sh + fbw);
      t = px((h - fbw) - block.BarTop * sv);
      r = px(block.BarRight * sh + fbw);
      b = px((h - fbw) - block.BarBottom * sv);
      break;
    case vgFromRight:
      l = px((w - fbw) - block.BarRight * sh);
      t = px((h - fbw) - block.BarTop * sv);
      r = px((w - fbw) - block.BarLeft * sh);
      b = px((h - fbw) - block.BarBottom * sv);
      break;
    case vgFromTop:
      l = px((w - fbw) - block.BarTop * sh);
      t = px(block.BarLeft * sv + fbw);
      r = px((w - fbw) - block.BarBottom * sh);
      b = px(block.BarRight * sv + fbw);
      break;
    case vgFromBottom:
      l = px((w - fbw) - block.BarTop * sh);
      t = px((h - fbw) - block.BarRight * sv);
      r = px((w - fbw) - block.BarBottom * sh);
      b = px((h - fbw) - block.BarLeft * sv);
      break;
    default:
      break;  // the rectangle stays as the previous block left it
  }

  // Fill, then the frame (rectangles only).
  dc.put_Left(l);
  dc.put_Top(t);
  dc.put_Right(r);
  dc.put_Bottom(b);
  dc.put_BorderStyle(block.BorderStyle);
  dc.put_BorderWidth(0);
  dc.put_BackgroundColor(OrDisabled(block.Color));
  dc.put_BrushStyle(block.BrushStyle);
  dc.put_BrushColor(OrDisabled(block.BrushColor));
  dc.put_GradientStyle(block.GradientStyle);
  dc.put_GradientGranularity(block.GradientGranularity);
  dc.put_GradientColor(OrDisabled(block.GradientColor));
  dc.put_GradientColorEnd(OrDisabled(block.GradientColorEnd));
  dc.put_RivetsStyle(block.RivetsStyle);
  if (block.ShapeStyle != vgRectangle) {
    dc.FillEllipse();
  } else {
    dc.FillRectangle();
    if (block.BorderStyle != vgNoneBorder) {
      int16_t width = block.BorderWidth;
      if (block.BorderStyle >= vgEtched && block.BorderWidth >= 1) width = 1;
      dc.put_BorderWidth(width);
      if (block.BorderWidth == 0) dc.put_BorderStyle(vgNoneBorder);
      dc.DrawBorder();
    } else {
      dc.put_BorderWidth(0);
    }
  }

  // Picture.
  if (block.Picture && block.Picture->Handle() != 0)
    DrawPicture(block.Picture, block.PictureOffset, block.PictureTile, block.PictureAlignment);

  // Text.
  if (!text.empty())
    DrawText(text, block.TextAlignment, block.TextOffset, OrDisabled(block.TextColor),
             block.TextFont, block.TextFont3D, block.TextAngle, block.TextAutoAngle);
}

}  // namespace vg
