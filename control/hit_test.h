#pragma once
// The hit test behind BlockClicked: which clickable block a released mouse button was over.
#include <cstdint>
#include <span>

#include "control/block_record.h"

namespace vg {

// `blocks` are blocks 1, 2, ... in order; (x, y) is the pointer in the drawing area's
// pixels; `h_factor` and `v_factor` are the scale factors of the latest render pass (inner
// width or height per scale step).
//
// Blocks neither clickable and visible are skipped. The factors are exchanged unless the
// orientation is vgFromLeft or vgFromRight. A block covers BarLeft x fx to BarRight x fx
// across and (100 - BarTop) x fy to (100 - BarBottom) x fy down, every product rounded to
// single precision, edges included; the vertical measure counts 100 steps down from the top
// whatever the scale bounds are, and the border is not added. Returns the lowest number
// hit, or -1. Button, BlockOnTop, BlockAutoSize and the shape play no part: an ellipse is
// hit anywhere in its bounding rectangle.
int32_t HitTestBlocks(std::span<const BlockRecord> blocks, int32_t orientation, float h_factor,
                      float v_factor, float x, float y);

}  // namespace vg
