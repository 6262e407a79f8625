// Counts what a visible update costs in instructions, for callgrind, on Qt's offscreen
// platform: the control's value changes (a render pass and its copy to the window), one
// round of the event loop runs, and the window's changed area is presented into the
// backing store.
//
//   valgrind --tool=callgrind --toggle-collect='*MeasuredUpdates*' build/bench/present_cost bar 50
//
// Scenarios: "bar" (300 x 25, one progress block whose right edge moves each update) and
// "status" (the samples' status bar, 720 x 24, refreshed as its clock ticks). Instructions per
// update = the run's total / the number of updates. The first updates before the measured
// ones realise fonts and glyphs and let Qt set up its backing store.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/scenarios.h"
#include "qt/varigauge_widget.h"

namespace {

void Update(vg::Varigauge& control, bool bar, int i) {
  if (bar)
    control.put_BlockBarRight(vg::Variant::Integer(1), static_cast<int16_t>(20 + i % 60));
  else
    control.Refresh();
  QApplication::processEvents();
}

}  // namespace

// Not inlined, so that callgrind can collect exactly the measured updates.
[[gnu::noinline]] void MeasuredUpdates(vg::Varigauge& control, bool bar, int updates) {
  for (int i = 0; i < updates; ++i) Update(control, bar, i);
}

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::string scenario = argc == 3 ? argv[1] : "";
  const int updates = argc == 3 ? std::atoi(argv[2]) : 0;
  if ((scenario != "bar" && scenario != "status") || updates < 1) {
    std::fprintf(stderr, "usage: present_cost bar|status UPDATES\n");
    return 2;
  }
  const bool bar = scenario == "bar";
  vg::VarigaugeWidget widget;
  widget.resize(bar ? 300 : 720, bar ? 25 : 24);
  if (bar)
    vg::bench::AddProgressBlocks(widget.control(), 1);
  else
    vg::bench::StatusBar(widget.control());
  widget.show();
  for (int i = 0; i < 3; ++i) Update(widget.control(), bar, i + 1);
  MeasuredUpdates(widget.control(), bar, updates);
  std::printf("%d updates of %s\n", updates, scenario.c_str());
  return 0;
}
