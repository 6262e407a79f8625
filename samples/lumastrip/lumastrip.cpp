#include "lumastrip/lumastrip.h"

namespace vg::samples {

std::unique_ptr<Sample> MakeLumastrip() {
  return std::make_unique<Lumastrip>();
}

}  // namespace vg::samples
