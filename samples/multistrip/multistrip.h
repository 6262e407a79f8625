#pragma once
// Multistrip: progress bars with two and three moving blocks.
#include <memory>

#include "common/sample.h"

namespace vg::samples {

class Multistrip : public Sample {
 public:
  Multistrip();
  // Shows every block of the three-block bar and keeps that picture for Command2.
  void Load() override;
  // The two blocks of Varigauge1 meet at 0, 1, ... 100 %.
  void Command1_Click();
  // The end blocks of Varigauge2 walk to the middle, the middle block spanning the gap.
  void Command2_Click();
};

std::unique_ptr<Sample> MakeMultistrip();

}  // namespace vg::samples
