#pragma once
// The control's geometry as pure functions: the effective border width, the value scales
// and their factors, a block's rectangle in pixels for each orientation, its percentages,
// and the hit test of a mouse release. Nothing here draws or keeps anything; the render
// pass and the mouse handling feed in the settings and use the results.
#include <cstdint>

#include "control/block_record.h"

namespace vg {

class BlockTable;

// Whether the render pass draws a block at all: it is visible and none of its four bars is
// negative (a bar of -1 is how ClearBlockBar hides a block).
bool IsDrawn(const BlockRecord& b);

// The frame width the pass draws with: the etched and bump styles (4 and up) are always
// one pixel wide when they have any width at all.
int16_t EffectiveBorderWidth(int32_t border_style, int16_t border_width);

// max - min in 16 bits; error 6 when the difference does not fit.
int16_t ScaleRange(int16_t min_value, int16_t max_value);

// Pixels per scale step on each screen axis, in single precision: the drawing size less
// the frame on both sides, over the range. A negative range gives a negative factor; the
// caller never passes a zero range (the pass draws nothing then).
struct ScaleFactors {
  float h = 0.0f;
  float v = 0.0f;
};
ScaleFactors Scales(double scale_width, double scale_height, int16_t bw, int16_t h_range,
                    int16_t v_range);

// A block's rectangle in pixels. Left may exceed right and top bottom; it is handed on as
// computed.
struct PixelRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const PixelRect&) const = default;
  // No pixel inside: a fill of it paints nothing.
  bool empty() const { return right <= left || bottom <= top; }
};

// The rectangle of bars `b` for `orientation` on a drawing area of w x h pixels inside a
// frame of `bw`, with sh and sv pixels per step (1 for bars in pixels). The horizontal bars
// run along the screen axis the orientation grows on: in vgFromTop and vgFromBottom they are
// vertical and scaled with sv. Each edge is computed in single precision and rounded halves
// to even. An orientation outside 0..3 gives the empty rectangle at the origin.
PixelRect BlockRect(int32_t orientation, const BlockRecord& b, float sh, float sv, float w, float h,
                    int16_t bw);

// A block's extents in whole percent, horizontal and vertical: of the scale ranges when the
// block sizes itself to the scales, else of the drawing size in pixels (a size of 0 gives
// 0). The division comes first, then the multiplication by 100, then the integer part;
// signs are dropped.
struct Percentages {
  int64_t h = 0;
  int64_t v = 0;
};
Percentages BlockPercentages(const BlockRecord& b, int16_t h_range, int16_t v_range,
                             double scale_width, double scale_height);

// The block a mouse release at (x, y) falls on, in scale units: the lowest-numbered block
// that is clickable and visible and whose bars, times the factors of the latest pass,
// enclose the point (edges included); -1 for none. The vertical measure counts 100 steps
// down from the top edge, whatever the scale bounds are, and the frame is not added. For
// vgFromTop and vgFromBottom the factors change places. Each product is a single.
int32_t HitTest(const BlockTable& blocks, int32_t orientation, ScaleFactors scales, float x,
                float y);

}  // namespace vg
