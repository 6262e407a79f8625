#pragma once
// The frame of a rectangle painted as solid bands: the pixels the frame's pen lines cover at
// 96 dpi, each measured from the side of the rectangle it lies along, so that on a denser
// device every line becomes a band of its scaled width, the bands meet without gaps at any
// ratio, and at 96 dpi they are exactly the lines' pixels. A style outside 1..7 paints
// nothing.
#include <cstdint>

#include "platform/gdi/gdi.h"
#include "surface/device_scale.h"

namespace vg {

void PaintBorderBands(gdi::HDC dc, const gdi::RECT& rect, int32_t style, int32_t width,
                      const DeviceScale& scale);

}  // namespace vg
