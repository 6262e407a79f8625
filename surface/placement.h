#pragma once
// Where an element of w x h pixels goes in a rectangle by a vgAlignmentEnum value: the
// first word of the constant names the vertical, the second the horizontal placement;
// `offset` keeps it away from the edge it is aligned to (centred placement ignores it).
// Halving truncates toward zero. An alignment outside 0..8 places it at (0, 0).
#include <cstdint>

#include "surface/wide_rect.h"

namespace vg {

struct Placement {
  int64_t x = 0;
  int64_t y = 0;
};

inline Placement PlaceByAlignment(int32_t alignment, const WideRect& r, int64_t offset, int64_t w,
                                  int64_t h) {
  Placement p;
  if (alignment < 0 || alignment > 8) return p;
  switch (alignment % 3) {  // centre, left, right
    case 0:
      p.x = r.left + (r.right - r.left - w) / 2;
      break;
    case 1:
      p.x = r.left + offset;
      break;
    default:
      p.x = r.right - offset - w;
      break;
  }
  switch (alignment / 3) {  // centre, top, bottom
    case 0:
      p.y = r.top + (r.bottom - r.top - h) / 2;
      break;
    case 1:
      p.y = r.top + offset;
      break;
    default:
      p.y = r.bottom - offset - h;
      break;
  }
  return p;
}

}  // namespace vg
