#pragma once
// Controls set up as the benchmarks measure them, shared by the timing benchmarks and the
// instruction counter.
#include <memory>
#include <string>

#include "control/enums.h"
#include "control/varigauge.h"
#include "platform/host/headless_host.h"

namespace vg::bench {

struct Placed {
  Placed(int w, int h)
      : host([&] {
          HeadlessHostOptions o;
          o.width_px = w;
          o.height_px = h;
          return o;
        }()),
        control(Varigauge::PlaceIn(host)) {}
  HeadlessHost host;
  std::shared_ptr<Varigauge> control;
};

// Adds `count` blocks like a progress bar's: at 50 %, a left-to-right gradient of medium
// granularity, raised rivets and a centred text.
inline void AddProgressBlocks(Varigauge& c, int count) {
  c.put_Redraw(false);
  for (int i = 1; i <= count; ++i) {
    c.AddBlock();
    Variant n = Variant::Integer(static_cast<int16_t>(i));
    c.put_BlockBarLeft(n, 0);
    c.put_BlockBarRight(n, 50);
    c.put_BlockGradientStyle(n, vgLeftHGradient);
    c.put_BlockGradientGranularity(n, vgMedium);
    c.put_BlockGradientColor(n, 0xFF0000);
    c.put_BlockGradientColorEnd(n, 0xFFFF00);
    c.put_BlockRivetsStyle(n, vgRaisedRivets);
    c.put_BlockText(n, "Process is 50 % complete");
    c.put_BlockTextColor(n, 0xFFFFFF);
  }
  c.put_Redraw(true);
}

// A placed control of one of the measured kinds: "new" (300 x 25, as placed), "bar" (one
// progress block), "bar100", "bar1000", "circle" (1920 x 200, circle gradient background).
inline std::unique_ptr<Placed> Scenario(const std::string& name) {
  if (name == "circle") {
    auto p = std::make_unique<Placed>(1920, 200);
    p->control->put_GradientStyle(vgInnerCircleGradient);
    return p;
  }
  auto p = std::make_unique<Placed>(300, 25);
  if (name == "bar") AddProgressBlocks(*p->control, 1);
  if (name == "bar100") AddProgressBlocks(*p->control, 100);
  if (name == "bar1000") AddProgressBlocks(*p->control, 1000);
  if (name != "new" && name != "bar" && name != "bar100" && name != "bar1000") return nullptr;
  return p;
}

}  // namespace vg::bench
