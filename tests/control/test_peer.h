#pragma once
// What tests look at inside a control: its parts, beyond what a host can see.
#include <cstdint>
#include <vector>

#include "control/varigauge.h"

namespace vg {

struct VarigaugeTestPeer {
  static BlockTable& blocks(Varigauge& c) { return c.blocks_; }
  static std::vector<BlockRecord>& saved_blocks(Varigauge& c) { return c.saved_blocks_; }
  static const ControlState& state(const Varigauge& c) { return c.state_; }
  static int16_t TwipsPerPixelX(const Varigauge& c) { return c.twips_per_pixel_x_; }
  static int16_t TwipsPerPixelY(const Varigauge& c) { return c.twips_per_pixel_y_; }
  static float HScale(const Varigauge& c) { return c.pass_.scales().h; }
  static float VScale(const Varigauge& c) { return c.pass_.scales().v; }
  static const OffScreenDC* surface(const Varigauge& c) { return c.pass_.surface(); }
};

}  // namespace vg
