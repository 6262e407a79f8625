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

// The samples' status bar (720 x 24): a caption block over an outer horizontal gradient of
// the full colour levels (two runs of 256 one-pixel bands), and the clock block.
inline void StatusBar(Varigauge& c) {
  c.put_Redraw(false);
  auto bold = StdFont::Create("MS Sans Serif", 8.25);
  bold->SetBold(true);
  c.putref_Font(bold);
  c.put_Blocks(2);
  const Variant one = Variant::Integer(1), two = Variant::Integer(2);
  c.put_BlockBarLeft(one, 0);
  c.put_BlockBarRight(one, 90);
  c.put_BlockBorderStyle(one, 2);
  c.put_BlockGradientStyle(one, 6);
  c.put_BlockGradientColor(one, 0xFFFFFF);
  c.put_BlockText(one, "Varigauge control by its authors");
  auto caption = StdFont::Create("MS Sans Serif", 8.25);
  caption->SetBold(true);
  c.put_BlockTextFont(one, caption);
  c.put_BlockTextFont3D(one, 4);
  c.put_BlockBarLeft(two, 90);
  c.put_BlockBarRight(two, 100);
  c.put_BlockBorderStyle(two, 2);
  c.put_BlockText(two, "!long time!");
  c.put_BlockTextFont(two, StdFont::Create("Arial", 8.25));
  c.put_BlockTextFont3D(two, 1);
  c.put_Redraw(true);
}

// A placed control of one of the measured kinds: "new" (300 x 25, as placed), "bar" (one
// progress block), "bar100", "bar1000", "circle" (1920 x 200, circle gradient background),
// "circle1080" and "rect1080" (1920 x 1080, inner circle or inner rectangle gradient of the
// default granularity), "status" (the samples' status bar with its clock), "solid" (one
// plain block over 80 % of a 300 x 25 bar).
inline std::unique_ptr<Placed> Scenario(const std::string& name) {
  if (name == "circle" || name == "circle1080" || name == "rect1080") {
    auto p = std::make_unique<Placed>(1920, name == "circle" ? 200 : 1080);
    p->control->put_GradientStyle(name == "rect1080" ? vgInnerRectangleGradient
                                                     : vgInnerCircleGradient);
    return p;
  }
  if (name == "status") {
    auto p = std::make_unique<Placed>(720, 24);
    StatusBar(*p->control);
    return p;
  }
  auto p = std::make_unique<Placed>(300, 25);
  if (name == "solid") {
    // A disk bar's used part: one plain block over 80 % of the scale, which the background
    // is not painted under.
    Varigauge& c = *p->control;
    c.put_Redraw(false);
    c.AddBlock();
    c.put_BlockBarLeft(Variant::Integer(1), 0);
    c.put_BlockBarRight(Variant::Integer(1), 80);
    c.put_BlockColor(Variant::Integer(1), 0x0000C0);
    c.put_BlockText(Variant::Integer(1), "80 % used");
    c.put_Redraw(true);
    return p;
  }
  if (name == "bar") AddProgressBlocks(*p->control, 1);
  if (name == "bar100") AddProgressBlocks(*p->control, 100);
  if (name == "bar1000") AddProgressBlocks(*p->control, 1000);
  if (name != "new" && name != "bar" && name != "bar100" && name != "bar1000") return nullptr;
  return p;
}

}  // namespace vg::bench
