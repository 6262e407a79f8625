// Live fields at their cost: one render pass of a status bar whose clock block shows
// "!long time!", and of a Volwatch-style disk bar with three show fields (each pass asks
// the disks afresh: through the machine's mounts, through statvfs on chosen paths, or from
// an injected provider that makes no system call); and the share of one core that a clock
// ticking once a second takes, measured over a simulated minute of the manual clock.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/allocation_counter.h"
#include "bench/scenarios.h"
#include "control/enums.h"
#include "platform/disk/disk_map.h"

namespace {

using vg::Variant;
using vg::Varigauge;
using vg::bench::g_allocations;
using vg::bench::Placed;

void Block(Varigauge& c, int16_t n, int16_t left, int16_t right, int16_t top, int16_t bottom,
           const std::string& text) {
  const Variant i = Variant::Integer(n);
  c.AddBlock();
  c.put_BlockBarLeft(i, left);
  c.put_BlockBarRight(i, right);
  c.put_BlockBarTop(i, top);
  c.put_BlockBarBottom(i, bottom);
  c.put_BlockBorderStyle(i, vg::vgRaised);
  c.put_BlockBorderWidth(i, 1);
  c.put_BlockText(i, text);
}

// The samples' status bar: a title, a run-time message and the clock.
void StatusBar(Varigauge& c) {
  c.put_Redraw(false);
  Block(c, 1, 0, 70, 100, 0, "Varigauge control");
  c.put_BlockGradientStyle(Variant::Integer(1), vg::vgOuterHGradient);
  c.put_BlockGradientColor(Variant::Integer(1), 0xFFFFFF);
  Block(c, 2, 90, 100, 100, 0, "!long time!");
  Block(c, 3, 70, 90, 100, 0, "last monitor 17:45:12");
  c.put_Redraw(true);
}

// Volwatch's disk bar: one block per drive, each sized by its used share.
void DiskBar(Varigauge& c) {
  c.put_Redraw(false);
  c.put_GradientStyle(vg::vgLeftHGradient);
  const char* texts[] = {"C: !show horizontal ratio used:c!", "D: !show horizontal ratio used:d!",
                         "E: !show horizontal ratio used:e!"};
  for (int16_t n = 1; n <= 3; ++n) {
    Block(c, n, 0, 50, static_cast<int16_t>(33 * n), static_cast<int16_t>(33 * (n - 1) + 1),
          texts[n - 1]);
    c.put_BlockGradientStyle(Variant::Integer(n), vg::vgLeftHGradient);
    c.put_BlockRivetsStyle(Variant::Integer(n), vg::vgRaisedRivetsExt);
  }
  c.put_Redraw(true);
}

// Passes of a control, with the heap allocations per pass (the first pass, which realises
// fonts and glyphs, is not counted).
void Passes(benchmark::State& state, Varigauge& control) {
  control.Refresh();
  const long before = g_allocations.load();
  for (auto _ : state) control.Refresh();
  state.counters["allocs_per_pass"] = benchmark::Counter(
      static_cast<double>(g_allocations.load() - before) / static_cast<double>(state.iterations()));
}

void BM_StatusBarClockPass(benchmark::State& state) {
  Placed p(400, 20);
  StatusBar(*p.control);
  Passes(state, *p.control);
}
BENCHMARK(BM_StatusBarClockPass);

// 0: the machine's mounts as they are (here c, and d and e only if mounted);
// 1: c, d and e on three paths, each a statvfs call; 2: an injected provider.
void BM_DiskBarPass(benchmark::State& state) {
  auto map = std::make_shared<vg::DiskMap>();
  if (state.range(0) == 1) {
    map->SetPath('c', "/");
    map->SetPath('d', "/tmp");
    map->SetPath('e', "/proc/self");
  } else if (state.range(0) == 2) {
    map->SetBytes('c', 57300000000ULL, 100000000000ULL);
    map->SetBytes('d', 1000000000ULL, 4000000000ULL);
    map->SetBytes('e', 900000000000ULL, 1000000000000ULL);
  }
  vg::ScopedDiskProvider scope(state.range(0) == 0 ? nullptr : map);
  Placed p(300, 100);
  DiskBar(*p.control);
  Passes(state, *p.control);
}
BENCHMARK(BM_DiskBarPass)->ArgName("disks")->Arg(0)->Arg(1)->Arg(2);

// A status bar whose time timer runs at 1000 ms: each iteration is one simulated minute
// (60 ticks, each a render pass and a TimerTime event). core_share is the CPU time spent
// per simulated second of wall time: the share of one core the clock keeps busy.
void BM_ClockMinute(benchmark::State& state) {
  Placed p(400, 20);
  StatusBar(*p.control);
  p.control->put_TimerTimeEnabled(true);
  for (auto _ : state) {
    p.host.clock().Advance(60000);
    p.host.TakeEvents();
  }
  state.counters["core_share"] =
      benchmark::Counter(60.0 * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ClockMinute)->Unit(benchmark::kMillisecond);

}  // namespace
