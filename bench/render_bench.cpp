// The render pass as a host sees it: one Refresh of a placed control. Also reports the heap
// allocations made per pass (the render pass should make none after the first) and, as a
// yardstick, a plain fill of the same surface.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/allocation_counter.h"
#include "bench/scenarios.h"
#include "platform/gdi/gdi.h"

using vg::bench::g_allocations;

namespace {

using vg::bench::AddProgressBlocks;
using vg::bench::Placed;

void Run(benchmark::State& state, vg::Varigauge& control, int w, int h) {
  control.Refresh();  // the first pass realises fonts and glyphs
  long before = g_allocations.load();
  for (auto _ : state) control.Refresh();
  state.counters["allocs_per_pass"] = benchmark::Counter(
      static_cast<double>(g_allocations.load() - before) / static_cast<double>(state.iterations()));
  state.SetBytesProcessed(state.iterations() * int64_t{w} * h * 4);
}

// (a) a newly placed control.
void BM_RenderNewControl(benchmark::State& state) {
  Placed p(300, 25);
  Run(state, *p.control, 300, 25);
}
BENCHMARK(BM_RenderNewControl);

// (b) and (c): a progress bar with 1, 100 or 1000 blocks.
void BM_RenderProgressBar(benchmark::State& state) {
  Placed p(300, 25);
  AddProgressBlocks(*p.control, static_cast<int>(state.range(0)));
  Run(state, *p.control, 300, 25);
}
BENCHMARK(BM_RenderProgressBar)->ArgName("blocks")->Arg(1)->Arg(100)->Arg(1000);

// (d) a wide control with a circle gradient background.
void BM_RenderCircleBackground(benchmark::State& state) {
  Placed p(1920, 200);
  p.control->put_GradientStyle(vg::vgInnerCircleGradient);
  Run(state, *p.control, 1920, 200);
}
BENCHMARK(BM_RenderCircleBackground);

// The yardstick: one plain fill of a 300 x 25 surface (writing its bytes once).
void BM_PlainFill(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  vg::gdi::HDC window = vg::gdi::CreateWindowDC(w, h);
  vg::gdi::HDC dc = vg::gdi::CreateCompatibleDC(window);
  vg::gdi::HBITMAP bitmap = vg::gdi::CreateCompatibleBitmap(window, w, h);
  vg::gdi::HGDIOBJ old = vg::gdi::SelectObject(dc, bitmap);
  vg::gdi::HBRUSH brush = vg::gdi::CreateSolidBrush(0xC0C0C0);
  vg::gdi::RECT r{0, 0, w, h};
  for (auto _ : state) vg::gdi::FillRect(dc, &r, brush);
  vg::gdi::DeleteObject(brush);
  vg::gdi::SelectObject(dc, old);
  vg::gdi::DeleteObject(bitmap);
  vg::gdi::DeleteDC(dc);
  vg::gdi::DestroyWindowDC(window);
  state.SetBytesProcessed(state.iterations() * int64_t{w} * h * 4);
}
BENCHMARK(BM_PlainFill)->Args({300, 25});

}  // namespace
