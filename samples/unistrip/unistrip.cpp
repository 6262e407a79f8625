#include "unistrip/unistrip.h"

namespace vg::samples {

std::unique_ptr<Sample> MakeUnistrip() {
  return std::make_unique<Unistrip>();
}

}  // namespace vg::samples
