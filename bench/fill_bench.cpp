// FillRectangle of the off-screen surface: solid, hatched and each gradient family at the
// default granularity (256 colour levels), on a bar-sized and a screen-sized rectangle.
// Bytes per second count the rectangle's pixels once (4 bytes each), to hold against the
// machine's memory bandwidth.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/gdi/gdi.h"
#include "surface/off_screen_dc.h"

namespace {

enum Kind { kSolid, kHatch, kStripes, kTwoPass, kCircle, kRectangle };

void BM_FillRectangle(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const Kind kind = static_cast<Kind>(state.range(2));
  vg::gdi::HDC window = vg::gdi::CreateWindowDC(w, h);
  {
    vg::OffScreenDC dc;
    dc.Initialize(window, w, h);
    dc.put_Right(w);
    dc.put_Bottom(h);
    dc.put_BackgroundColor(0xC0C0C0);
    dc.put_GradientColor(0xFF0000);
    dc.put_GradientColorEnd(0x00FFFF);
    switch (kind) {
      case kSolid:
        break;
      case kHatch:
        dc.put_BrushStyle(6), dc.put_BrushColor(0x0000FF);
        break;
      case kStripes:
        dc.put_GradientStyle(1);
        break;
      case kTwoPass:
        dc.put_GradientStyle(5);
        break;
      case kCircle:
        dc.put_GradientStyle(9);
        break;
      case kRectangle:
        dc.put_GradientStyle(11);
        break;
    }
    for (auto _ : state) dc.FillRectangle();
  }
  vg::gdi::DestroyWindowDC(window);
  state.SetBytesProcessed(state.iterations() * int64_t{w} * h * 4);
}

void Sizes(benchmark::internal::Benchmark* b) {
  // kind: 0 solid, 1 hatch, 2 stripes, 3 two-pass, 4 circle, 5 rectangle
  for (int kind = kSolid; kind <= kRectangle; ++kind) {
    b->Args({300, 25, kind});
    b->Args({1920, 1080, kind});
  }
  b->ArgNames({"w", "h", "kind"});
}
BENCHMARK(BM_FillRectangle)->Apply(Sizes);

}  // namespace
