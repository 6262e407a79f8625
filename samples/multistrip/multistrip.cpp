#include "multistrip/multistrip.h"

#include <QPushButton>

namespace vg::samples {

Multistrip::Multistrip() : Sample(":/samples/multistrip.ui") {
  Gauge("Varigauge1");
  Gauge("Varigauge2");
  form().on("Command1", &QPushButton::clicked, [this] { Command1_Click(); });
  form().on("Command2", &QPushButton::clicked, [this] { Command2_Click(); });
}

void Multistrip::Load() {
  Sample::Load();
  VarigaugeWidget& bar = Gauge("Varigauge2");
  bar.setBlockVisible(true);
  bar.saveSetting();
}

void Multistrip::Command1_Click() {
  VarigaugeWidget& bar = Gauge("Varigauge1");
  Block first = bar.block(1), second = bar.block(2);
  first.barLeft = 0;
  second.barRight = 100;
  bar.setBlock(1, first);
  bar.setBlock(2, second);
  for (int i = 0; i <= 100; ++i) {
    // One drawing per step: both edges move while drawing is off.
    first.barRight = i;
    second.barLeft = i;
    bar.setRedraw(false);
    bar.setBlock(1, first);
    bar.setBlock(2, second);
    bar.setRedraw(true);
    ProcessPendingEvents();
  }
}

void Multistrip::Command2_Click() {
  VarigaugeWidget& bar = Gauge("Varigauge2");
  Block first = bar.block(1), second = bar.block(2);
  first.barLeft = 0;
  second.barRight = 100;
  bar.setBlock(1, first);
  bar.setBlock(2, second);
  bar.restoreSetting();
  for (int count = 0; count <= 46; ++count) {
    // The end blocks walk one step toward the middle; the third spans the gap.
    Block left = bar.block(1), right = bar.block(2), gap = bar.block(3);
    ++left.barLeft;
    ++left.barRight;
    --right.barLeft;
    --right.barRight;
    gap.barLeft = left.barRight;
    gap.barRight = right.barLeft;
    bar.setRedraw(false);
    bar.setBlock(1, left);
    bar.setBlock(2, right);
    bar.setBlock(3, gap);
    bar.setRedraw(true);
    ProcessPendingEvents();
  }
}

std::unique_ptr<Sample> MakeMultistrip() {
  return std::make_unique<Multistrip>();
}

}  // namespace vg::samples
