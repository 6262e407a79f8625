// The render pass: turns the control's settings and blocks into surface operations and
// copies the finished picture to the window in one step.
#include "control/render_pass.h"

#include <algorithm>
#include <iterator>

#include "control/enums.h"
#include "control/live_fields.h"
#include "platform/automation/conversions.h"
#include "platform/automation/numeric.h"
#include "platform/timers/timer_service.h"

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

// The pixels of a rectangle inside a surface of width x height; 0 when it holds none.
int64_t VisibleArea(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width,
                    int32_t height) {
  const int64_t w = int64_t{std::min(right, width)} - std::max(left, 0);
  const int64_t h = int64_t{std::min(bottom, height)} - std::max(top, 0);
  return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

void RenderPass::MakeSurface() {
  surface_ = std::make_unique<OffScreenDC>();
  surface_->Initialize(host_.hDC(), RoundToInt32(host_.ScaleWidth()),
                       RoundToInt32(host_.ScaleHeight()));
}

void RenderPass::Open() {
  MakeSurface();
  picture1_ = std::make_unique<PictureBox>();
}

void RenderPass::Resize() {
  // A surface never changes size: drop the old one (releasing its context and bitmap)
  // before making one of the new size.
  surface_.reset();
  MakeSurface();
}

void RenderPass::Close() {
  surface_.reset();
  picture1_.reset();
  drawn_count_ = 0;
}

void RenderPass::Run(const ControlState& state, BlockTable& blocks) {
  // Gate: the switches, then the scale ranges (computed in 16 bits).
  if (!state.redraw || state.dont_refresh_after_property_page) return;
  const int16_t h_range = ScaleRange(state.h_min_value, state.h_max_value);
  const int16_t v_range = ScaleRange(state.v_min_value, state.v_max_value);
  if (h_range == 0 || v_range == 0) return;

  // The frame width as set (the surface scales it when drawing) and in the window's device
  // pixels, which the geometry inside the frame is measured in.
  const int16_t bw = EffectiveBorderWidth(state.border_style, state.border_width);
  const int16_t frame = surface_ ? surface_->Scale().Px16(bw) : bw;

  // Sizing to the picture may replace the surface, so every size is read after it.
  if (state.picture && state.picture_auto_size != vgNoneAutoSize) AutoSizeToPicture(state, frame);
  if (!surface_) return;

  scales_ = Scales(host_.ScaleWidth(), host_.ScaleHeight(), frame, h_range, v_range);
  const int32_t width = RoundToInt32(static_cast<float>(host_.ScaleWidth()));
  const int32_t height = RoundToInt32(static_cast<float>(host_.ScaleHeight()));

  // A setting beyond 16 bits stops the pass before any block is touched.
  const int16_t rivets = CheckedInteger(state.rivets_style);
  // The blocks are placed first, since their live fields can move them; a block that paints
  // its whole rectangle in one colour spares the background under it.
  drawing_count_ = 0;
  const gdi::RECT covered = PlaceBlocks(state, blocks, h_range, v_range, frame, width, height);
  Background(state, bw, rivets, width, height, covered);
  Frame(state, bw);
  Caption(state);  // under the picture and the blocks
  ControlPicture(state, frame, width, height);
  Blocks(state, blocks);

  // One copy of the whole picture to the window.
  surface_->BlastToScreen(0, 0, -1, -1);

  // The window now shows these blocks.
  KeepShownBlocks();
  drawing_.swap(drawn_);
  drawn_count_ = drawing_count_;
}

void RenderPass::KeepShownBlocks() {
  // Swapping entries (not assigning them) keeps every text's storage for the next pass.
  size_t kept = 0;
  for (size_t i = 0; i < drawing_count_; ++i)
    if (!drawing_[i].rect.empty()) {
      if (i != kept) std::swap(drawing_[i], drawing_[kept]);
      ++kept;
    }
  drawing_count_ = kept;
  std::sort(drawing_.begin(), drawing_.begin() + static_cast<std::ptrdiff_t>(drawing_count_),
            [](const DrawnBlock& a, const DrawnBlock& b) { return a.number < b.number; });
}

void RenderPass::AutoSizeToPicture(const ControlState& state, int16_t frame) {
  if (!picture1_) return;
  // The hidden picture box takes the picture's size in pixels.
  picture1_->SetPicture(state.picture, surface_ ? surface_->Scale().Dpi() : gdi::kDefaultDpi);
  const double width = picture1_->ScaleWidth(), height = picture1_->ScaleHeight();
  picture1_->Clear();
  const int32_t mode = state.picture_auto_size;
  if (mode == vgWidthAutoSize || mode == vgBothAutoSize)
    host_.SetWidth(RoundToInt32((width + 2.0 * frame) * host_.TwipsPerPixelX()));
  if (mode == vgHeightAutoSize || mode == vgBothAutoSize)
    host_.SetHeight(RoundToInt32((height + 2.0 * frame) * host_.TwipsPerPixelY()));
}

void RenderPass::Background(const ControlState& state, int16_t bw, int16_t rivets, int32_t width,
                            int32_t height, const gdi::RECT& covered) {
  // BackColor is the only colour translated here.
  COLORREF back = 0;
  OleTranslateColor(state.back_color, 0, &back);
  SetFill({.rect = {0, 0, width, height},
           .border_style = state.border_style,
           .border_width = bw,
           .back = static_cast<int32_t>(back),
           .brush_style = state.brush_style,
           .brush_color = OrDisabled(state, state.brush_color),
           .gradient_style = state.gradient_style,
           .gradient_granularity = state.gradient_granularity,
           .gradient_color = OrDisabled(state, state.gradient_color),
           .gradient_color_end = OrDisabled(state, state.gradient_color_end),
           .rivets = rivets});
  // Everything drawn before that block's fill (the frame, the caption, the picture, other
  // blocks) is painted over there too, whatever the background left.
  surface_->FillRectangle(covered.right > covered.left ? &covered : nullptr);
}

void RenderPass::SetFill(const FillAttributes& f) {
  OffScreenDC& dc = *surface_;
  dc.put_Left(f.rect.left);
  dc.put_Top(f.rect.top);
  dc.put_Right(f.rect.right);
  dc.put_Bottom(f.rect.bottom);
  dc.put_BorderStyle(f.border_style);
  dc.put_BorderWidth(f.border_width);
  dc.put_BackgroundColor(f.back);
  dc.put_BrushStyle(f.brush_style);
  dc.put_BrushColor(f.brush_color);
  dc.put_GradientStyle(f.gradient_style);
  dc.put_GradientGranularity(f.gradient_granularity);
  dc.put_GradientColor(f.gradient_color);
  dc.put_GradientColorEnd(f.gradient_color_end);
  dc.put_RivetsStyle(f.rivets);
}

void RenderPass::Frame(const ControlState& state, int16_t bw) {
  OffScreenDC& dc = *surface_;
  if (state.border_style != vgNoneBorder) {
    if (bw == 0) dc.put_BorderStyle(vgNoneBorder);
    dc.put_BorderWidth(bw);
    dc.DrawBorder();
  } else {
    dc.put_BorderWidth(0);
  }
}

void RenderPass::Caption(const ControlState& state) {
  if (!state.caption.empty())
    DrawText(state.caption, state.caption_alignment, state.caption_offset,
             OrDisabled(state, host_.ForeColor()), host_.Font(), state.caption_font_3d,
             state.caption_angle, state.caption_auto_angle);
}

void RenderPass::ControlPicture(const ControlState& state, int16_t frame, int32_t width,
                                int32_t height) {
  // The area inside the frame; the blocks' phase starts from it too.
  OffScreenDC& dc = *surface_;
  dc.put_Left(frame);
  dc.put_Top(frame);
  dc.put_Right(width - frame);
  dc.put_Bottom(height - frame);
  if (state.picture && state.picture->Type() != vbPicTypeNone)
    DrawPicture(state.picture, state.picture_offset, state.picture_tile, state.picture_alignment);
}

gdi::RECT RenderPass::PlaceBlocks(const ControlState& state, BlockTable& blocks, int16_t h_range,
                                  int16_t v_range, int16_t frame, int32_t width, int32_t height) {
  gdi::RECT covered{0, 0, 0, 0};
  int64_t covered_area = 0;
  // All blocks that are not on top, then all that are, each in ascending number, counted
  // in 16 bits.
  const int32_t count = blocks.count();
  const int16_t visits = CheckedInteger(int64_t{2} * count);
  for (int32_t i = 1; i <= visits; ++i) {
    const int32_t n = (i - 1) % count + 1;
    BlockRecord& block = blocks.At(n);
    const bool second_pass = i > count;
    if (block.OnTop != second_pass || !IsDrawn(block)) continue;
    const PixelRect& rect = PlaceBlock(state, n, block, h_range, v_range, frame).rect;
    if (block.ShapeStyle != vgRectangle ||
        VisibleArea(rect.left, rect.top, rect.right, rect.bottom, width, height) <= covered_area)
      continue;
    // What the block's fill paints over whatever lay there (its frame, rivets, picture and
    // text are drawn over the fill).
    SetFill(BlockFill(state, block, rect));
    const gdi::RECT r = surface_->PaintedOver();
    const int64_t area = VisibleArea(r.left, r.top, r.right, r.bottom, width, height);
    if (area > covered_area) {
      covered_area = area;
      covered = r;
    }
  }
  return covered;
}

DrawnBlock& RenderPass::PlaceBlock(const ControlState& state, int32_t number, BlockRecord& block,
                                   int16_t h_range, int16_t v_range, int16_t frame) {
  if (drawing_count_ == drawing_.size()) drawing_.emplace_back();
  DrawnBlock& placed = drawing_[drawing_count_++];
  const double w = host_.ScaleWidth(), h = host_.ScaleHeight();
  // Bars in pixels are pixels at 96 dpi: this many device pixels each.
  const double pixel = surface_->Scale().Ratio();

  // Percentages of the bars as they stand before the text is expanded (bars in pixels of
  // the drawing size at 96 dpi).
  const Percentages percent = BlockPercentages(block, h_range, v_range, w / pixel, h / pixel);
  Digits(percent.h, &block.HPercentage);
  Digits(percent.v, &block.VPercentage);
  placed.number = number;
  placed.h_percentage = percent.h;

  // Live fields may move this block's bars, so the text is expanded before the rectangle
  // is computed.
  if (block.Text.empty())
    placed.text.clear();
  else
    ExpandText(block, h_range, v_range, &placed.text);

  // Scale steps, or pixels when the block does not size itself to the scales.
  const float sh = block.AutoSize ? scales_.h : static_cast<float>(pixel);
  const float sv = block.AutoSize ? scales_.v : static_cast<float>(pixel);
  placed.rect = BlockRect(state.orientation, block, sh, sv, static_cast<float>(w),
                          static_cast<float>(h), frame);
  return placed;
}

void RenderPass::Blocks(const ControlState& state, BlockTable& blocks) {
  for (size_t i = 0; i < drawing_count_; ++i)
    DrawBlock(state, blocks.At(drawing_[i].number), drawing_[i]);
}

void RenderPass::DrawBlock(const ControlState& state, const BlockRecord& block,
                           const DrawnBlock& placed) {
  OffScreenDC& dc = *surface_;
  // Fill, then the frame (rectangles only). A block whose rectangle holds no pixel (a disk
  // bar whose drive is missing has no width) shows nothing: its fill is empty and its text
  // and picture are clipped away. It gets no rivets either, which would stand alone on the
  // background, and is not listed as drawn. Its text and picture keep their places inside
  // the rivets all the same (the style is set again below).
  SetFill(BlockFill(state, block, placed.rect));
  if (block.ShapeStyle != vgRectangle) {
    dc.FillEllipse();
  } else {
    dc.FillRectangle();
    if (block.BorderStyle != vgNoneBorder) {
      dc.put_BorderWidth(EffectiveBorderWidth(block.BorderStyle, block.BorderWidth));
      if (block.BorderWidth == 0) dc.put_BorderStyle(vgNoneBorder);
      dc.DrawBorder();
    } else {
      dc.put_BorderWidth(0);
    }
  }

  dc.put_RivetsStyle(block.RivetsStyle);

  if (block.Picture && block.Picture->Handle() != 0)
    DrawPicture(block.Picture, block.PictureOffset, block.PictureTile, block.PictureAlignment);

  if (!placed.text.empty())
    DrawText(placed.text, block.TextAlignment, block.TextOffset, OrDisabled(state, block.TextColor),
             block.TextFont, block.TextFont3D, block.TextAngle, block.TextAutoAngle);
}

RenderPass::FillAttributes RenderPass::BlockFill(const ControlState& state,
                                                 const BlockRecord& block,
                                                 const PixelRect& rect) const {
  return {.rect = rect,
          .border_style = block.BorderStyle,
          .border_width = 0,
          .back = OrDisabled(state, block.Color),
          .brush_style = block.BrushStyle,
          .brush_color = OrDisabled(state, block.BrushColor),
          .gradient_style = block.GradientStyle,
          .gradient_granularity = block.GradientGranularity,
          .gradient_color = OrDisabled(state, block.GradientColor),
          .gradient_color_end = OrDisabled(state, block.GradientColorEnd),
          .rivets = rect.empty() ? int16_t{0} : block.RivetsStyle};
}

void RenderPass::ExpandText(BlockRecord& block, int16_t h_range, int16_t v_range,
                            std::string* text) {
  text->assign(block.Text);
  if (text->find('!') == std::string::npos) return;
  // The host's timer service keeps the time the fields show (a manual clock may set its
  // own); the host's drive map names the drives.
  const std::shared_ptr<TimerService> service = host_.Timers();
  const Clock& clock = service ? static_cast<const Clock&>(*service) : SystemClock();
  ExpandLiveFields(*text, block, {clock, host_.Drives(), h_range, v_range});
}

int32_t RenderPass::OrDisabled(const ControlState& state, OLE_COLOR color) const {
  return static_cast<int32_t>(host_.Enabled() ? color : state.disabled_color);
}

void RenderPass::DrawPicture(const StdPictureRef& picture, int16_t offset, int32_t tile,
                             int32_t alignment) {
  if (!picture1_) return;
  OffScreenDC& dc = *surface_;
  dc.put_PictureOffset(offset);
  dc.put_PictureTile(tile);
  dc.put_PictureAlignment(alignment);
  picture1_->SetPicture(picture, dc.Scale().Dpi());
  dc.DrawBitmap(*picture1_);
  picture1_->Clear();
}

void RenderPass::DrawText(const std::string& text, int32_t alignment, int16_t offset, int32_t color,
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

}  // namespace vg
