#pragma once
// Unistrip: seven one-block progress bars in different styles, each filled by its Start button.
#include <memory>

#include "common/sample.h"

namespace vg::samples {

class Unistrip : public FillBarSample {
 public:
  Unistrip() : FillBarSample(":/samples/unistrip.ui", 7) {}
};

std::unique_ptr<Sample> MakeUnistrip();

}  // namespace vg::samples
