#pragma once
// The four sample programs, in the order the launcher and the gallery show them.
#include <memory>
#include <vector>

#include "common/sample.h"

namespace vg::samples {

struct SampleInfo {
  const char* name;
  const char* about;
  std::unique_ptr<Sample> (*make)();
};

const std::vector<SampleInfo>& SampleList();

}  // namespace vg::samples
