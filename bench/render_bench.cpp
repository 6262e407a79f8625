// The render pass as a host sees it: one Refresh of a placed control.
#include <benchmark/benchmark.h>

#include <memory>

#include "control/varigauge.h"
#include "platform/host/headless_host.h"

namespace {

struct Placed {
  explicit Placed(int w, int h)
      : host([&] {
          vg::HeadlessHostOptions o;
          o.width_px = w;
          o.height_px = h;
          return o;
        }()) {
    host.Place([this](vg::UserControl& site) {
      control = std::make_shared<vg::Varigauge>(site);
      return control;
    });
  }
  vg::HeadlessHost host;
  std::shared_ptr<vg::Varigauge> control;
};

// A newly placed control, 300 x 25: background fill and the copy to the window.
void BM_RefreshNewControl(benchmark::State& state) {
  Placed p(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) p.control->Refresh();
  state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(1) * 4);
}
BENCHMARK(BM_RefreshNewControl)->Args({300, 25})->Args({1920, 200});

}  // namespace
