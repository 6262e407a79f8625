#pragma once
// Lumastrip: progress bars with pictures, each filled by its Start button.
#include <memory>

#include "common/sample.h"

namespace vg::samples {

class Lumastrip : public FillBarSample {
 public:
  Lumastrip() : FillBarSample(":/samples/lumastrip.ui", 3) {}
};

std::unique_ptr<Sample> MakeLumastrip();

}  // namespace vg::samples
