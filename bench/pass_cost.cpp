// Counts what render passes cost in instructions, for callgrind:
//
//   valgrind --tool=callgrind --toggle-collect='*MeasuredPasses*' build/bench/pass_cost bar 100
//
// Instructions per pass = the run's total / the number of passes. A first pass before the
// measured ones realises fonts and glyphs, as any control's first paint does.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/scenarios.h"

// Not inlined, so that callgrind can collect exactly the measured passes.
[[gnu::noinline]] void MeasuredPasses(vg::Varigauge& control, int passes) {
  for (int i = 0; i < passes; ++i) control.Refresh();
}

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(
        stderr,
        "usage: pass_cost new|bar|bar100|bar1000|circle|circle1080|rect1080|status|solid PASSES\n");
    return 2;
  }
  auto placed = vg::bench::Scenario(argv[1]);
  int passes = std::atoi(argv[2]);
  if (!placed || passes < 1) {
    std::fprintf(stderr, "pass_cost: unknown scenario or bad pass count\n");
    return 2;
  }
  placed->control->Refresh();
  MeasuredPasses(*placed->control, passes);
  std::printf("%d passes of %s\n", passes, argv[1]);
  return 0;
}
