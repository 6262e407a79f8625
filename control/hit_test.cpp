#include "control/hit_test.h"

#include <utility>

#include "control/enums.h"

namespace vg {

int32_t HitTestBlocks(std::span<const BlockRecord> blocks, int32_t orientation, float h_factor,
                      float v_factor, float x, float y) {
  float fx = h_factor, fy = v_factor;
  if (orientation != vgFromLeft && orientation != vgFromRight) std::swap(fx, fy);
  for (size_t i = 0; i < blocks.size(); ++i) {
    const BlockRecord& b = blocks[i];
    if (!b.Clickable || !b.Visible) continue;
    // 100 - bar is taken in 32 bits, so bars near the 16-bit limits cannot overflow it.
    const float left = static_cast<float>(b.BarLeft) * fx;
    const float right = static_cast<float>(b.BarRight) * fx;
    const float top = static_cast<float>(100 - int32_t{b.BarTop}) * fy;
    const float bottom = static_cast<float>(100 - int32_t{b.BarBottom}) * fy;
    if (left <= x && x <= right && top <= y && y <= bottom) return static_cast<int32_t>(i + 1);
  }
  return -1;
}

}  // namespace vg
