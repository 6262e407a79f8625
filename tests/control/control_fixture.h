#pragma once
// A control placed in a headless host, as a form would place a new one.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "control/varigauge.h"
#include "platform/automation/errors.h"
#include "platform/host/headless_host.h"
#include "tests/control/test_peer.h"

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
