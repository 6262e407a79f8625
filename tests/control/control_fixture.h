#pragma once
// A control placed in a headless host, as a form would place a new one.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "control/varigauge.h"
#include "platform/automation/errors.h"
#include "platform/host/headless_host.h"

namespace vg::testing {

inline HeadlessHostOptions Pixels(int w, int h, bool user_mode = true) {
  HeadlessHostOptions o;
  o.width_px = w;
  o.height_px = h;
  o.user_mode = user_mode;
  return o;
}

struct PlacedControl {
  explicit PlacedControl(HeadlessHostOptions options = {})
      : host(options), control(Varigauge::PlaceIn(host)) {}
  int Updates() const { return gdi::WindowUpdateCount(host.hDC()); }
  COLORREF Pixel(int x, int y) const { return host.Pixel(x, y); }

  HeadlessHost host;
  std::shared_ptr<Varigauge> control;
  Varigauge& c() { return *control; }
};

// The automation error number a call raises, 0 when it raises none.
template <class F>
int ErrorOf(F&& f) {
  try {
    f();
  } catch (const AutomationError& e) {
    return e.number();
  }
  return 0;
}

}  // namespace vg::testing

namespace vg {
// What tests look at inside a control: its parts, beyond what a host can see.
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
