#pragma once
// The render pass: the one routine that draws the control. It owns what drawing needs (the
// off-screen surface, the hidden picture box and the buffer of expanded block texts),
// turns the settings and the blocks into surface operations in fixed phases, and copies the
// finished picture to the window in one step. It keeps only the scale factors of its
// latest run, which the mouse hit test reads; everything else is computed afresh each run.
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "control/block_table.h"
#include "control/control_state.h"
#include "control/geometry.h"
#include "platform/host/picture_box.h"
#include "platform/host/user_control.h"
#include "surface/off_screen_dc.h"

namespace vg {

// One block as the latest pass drew it: what assistive technologies are told about it.
struct DrawnBlock {
  int32_t number = 0;
  PixelRect rect;            // as filled, in the surface's pixels (left may exceed right)
  int64_t h_percentage = 0;  // the percentage the pass wrote into the block
  std::string text;          // the block's text with its live fields filled in
};

class RenderPass {
 public:
  explicit RenderPass(UserControl& host) : host_(host) {}
  RenderPass(const RenderPass&) = delete;
  RenderPass& operator=(const RenderPass&) = delete;

  // A surface the size of the window's drawing area (replacing any older one, which is
  // released first), and the hidden picture box.
  void Open();
  void Resize();
  // Releases the surface and the picture box; a pass draws nothing afterwards.
  void Close();

  // Draws the whole control, unless a drawing switch is off or a scale range is empty.
  // Writes the percentages of every block it draws. Raises 6 when a range, the block count
  // or a 16-bit setting overflows; nothing reaches the window then.
  void Run(const ControlState& state, BlockTable& blocks);

  ScaleFactors scales() const { return scales_; }
  // The blocks the latest completed pass drew, in ascending number: what the window shows
  // (a block whose rectangle holds no pixel shows nothing and is left out). A pass that
  // raised or drew nothing leaves the list as it was, as it leaves the window.
  std::span<const DrawnBlock> drawn() const { return {drawn_.data(), drawn_count_}; }
  const OffScreenDC* surface() const { return surface_.get(); }

 private:
  // What the surface fills with, for the background and for each block.
  struct FillAttributes {
    PixelRect rect;
    int32_t border_style = 0;
    int16_t border_width = 0;
    int32_t back = 0;
    int32_t brush_style = 0;
    int32_t brush_color = 0;
    int32_t gradient_style = 0;
    int32_t gradient_granularity = 0;
    int32_t gradient_color = 0;
    int32_t gradient_color_end = 0;
    int16_t rivets = 0;
  };

  void MakeSurface();
  void SetFill(const FillAttributes& f);
  // A block's fill over `rect`. A block whose rectangle holds no pixel (a disk bar whose
  // drive is missing has no width) gets no rivets, which would stand alone on the background.
  FillAttributes BlockFill(const ControlState& state, const BlockRecord& block,
                           const PixelRect& rect) const;
  // `bw` is the frame width as set (the surface scales it to the window's density when it
  // draws); `frame` is that width in the window's device pixels, which the geometry inside
  // the frame (the picture's area, the scales, the blocks' rectangles) is measured in. At
  // 96 dpi they are the same.
  void AutoSizeToPicture(const ControlState& state, int16_t frame);
  // The phases of a run.
  // Places every block the pass draws, in drawing order, into the list of the pass under
  // way: percentages written, text expanded, rectangle computed. Returns the largest part
  // of the surface one of their fills is certain to paint over (empty when none is), which
  // the background then leaves out.
  gdi::RECT PlaceBlocks(const ControlState& state, BlockTable& blocks, int16_t h_range,
                        int16_t v_range, int16_t frame, int32_t width, int32_t height);
  DrawnBlock& PlaceBlock(const ControlState& state, int32_t number, BlockRecord& block,
                         int16_t h_range, int16_t v_range, int16_t frame);
  void Background(const ControlState& state, int16_t bw, int16_t rivets, int32_t width,
                  int32_t height, const gdi::RECT& covered);
  void Frame(const ControlState& state, int16_t bw);
  void Caption(const ControlState& state);
  void ControlPicture(const ControlState& state, int16_t frame, int32_t width, int32_t height);
  void Blocks(const ControlState& state, BlockTable& blocks);
  void DrawBlock(const ControlState& state, const BlockRecord& block, const DrawnBlock& placed);
  // Keeps, in ascending number, the placed blocks whose rectangles hold a pixel.
  void KeepShownBlocks();
  // `color`, or DisabledColor while the control is disabled (Enabled is read each time).
  int32_t OrDisabled(const ControlState& state, OLE_COLOR color) const;
  // One picture, placed through the hidden picture box, and one text, with their attributes.
  void DrawPicture(const StdPictureRef& picture, int16_t offset, int32_t tile, int32_t alignment);
  void DrawText(const std::string& text, int32_t alignment, int16_t offset, int32_t color,
                const StdFontRef& font, int32_t font_3d, int16_t angle, int32_t auto_angle);
  // Sets `text` to a block's text with its live fields filled in: the one place fields are
  // expanded (never the caption), after the block's percentages are written and before its
  // rectangle is computed, since a show field moves the block's bars. Raises 6 when such a
  // bar overflows 16 bits.
  void ExpandText(BlockRecord& block, int16_t h_range, int16_t v_range, std::string* text);

  UserControl& host_;
  std::unique_ptr<OffScreenDC> surface_;
  std::unique_ptr<PictureBox> picture1_;  // the hidden picture box of the control's window
  ScaleFactors scales_;
  // The blocks of the pass under way (every one it places, in drawing order, until it
  // ends) and of the latest completed one; the two swap at the end of a pass and keep their
  // storage, so a pass allocates nothing once they have grown.
  std::vector<DrawnBlock> drawing_;
  std::vector<DrawnBlock> drawn_;
  size_t drawing_count_ = 0;
  size_t drawn_count_ = 0;
};

}  // namespace vg
