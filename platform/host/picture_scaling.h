#pragma once
// Smooth resampling of a picture's pixels to another size, for pictures drawn on a device
// denser (or sparser) than the one they were made for. Each destination pixel is a weighted
// mean of the source pixels around its centre, with a tent filter one destination pixel wide
// measured in source pixels, never narrower than one source pixel: enlarging interpolates
// between neighbours (bilinear), reducing averages every source pixel it covers. Weights
// falling outside the picture are dropped, so its edges keep their colours and a tiled
// picture meets the next tile without bleeding into it.
#include <cstdint>
#include <vector>

#include "platform/base/color.h"

namespace vg {

// Resamples src (sw x sh, rows top to bottom) into dst (dw x dh). All sizes must be positive
// and dst must hold dw x dh pixels. `scratch` is reused for the intermediate rows.
void ResamplePixels(const COLORREF* src, int sw, int sh, COLORREF* dst, int dw, int dh,
                    std::vector<float>* scratch);

}  // namespace vg
