#pragma once
// Rectangles with 64-bit edges, for the arithmetic the drawing operations do on the current
// rectangle (insets for rivets and borders, clipping margins, placements). The surface's
// edges are 32-bit and may take any value, so moving them by a few pixels, or taking their
// difference, can leave the 32-bit range; in 64 bits it cannot. Values go back to 32 bits
// only where they are handed to the platform, saturated: a coordinate beyond the 32-bit
// range lies far outside any bitmap, and wherever the 32-bit sums would not have overflowed
// the result is the same value.
#include <algorithm>
#include <cstdint>

#include "platform/gdi/gdi.h"
#include "surface/device_scale.h"

namespace vg {

struct WideRect {
  int64_t left = 0, top = 0, right = 0, bottom = 0;
};

inline int32_t Saturate32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

inline WideRect Widen(const gdi::RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// Each side moved `by` pixels inward (outward for a negative `by`).
inline WideRect Inset(const gdi::RECT& r, int64_t by) {
  return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

inline gdi::RECT Saturated(const WideRect& r) {
  return {Saturate32(r.left), Saturate32(r.top), Saturate32(r.right), Saturate32(r.bottom)};
}

// The area that texts and pictures use: the rectangle, 7 pixels (at the device's density) in
// on every side when it carries rivets (the border width does not count).
inline WideRect ContentArea(const gdi::RECT& r, int32_t rivets_style,
                            const DeviceScale& scale = DeviceScale()) {
  return Inset(r, rivets_style != 0 ? scale.Px(7) : 0);
}

}  // namespace vg
