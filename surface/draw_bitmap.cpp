// DrawBitmap: a picture copied into the current rectangle, once or tiled.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/automation/numeric.h"
#include "surface/off_screen_dc.h"
#include "surface/placement.h"

namespace vg {

void OffScreenDC::DrawBitmap(const PictureBox& source) {
  const WideRect a = ContentArea(rect_, rivets_style_, scale_);
  int32_t pw = RoundToInt32(source.ScaleWidth()), ph = RoundToInt32(source.ScaleHeight());
  const int64_t aw = std::llabs(a.right - a.left);
  const int64_t ah = std::llabs(a.bottom - a.top);
  if (pw > aw) pw = aw;  // the copy never exceeds the area: a larger picture is cut
  if (ph > ah) ph = ah;
  // Every copy takes its pixels from the source's origin.
  // A copy placed beyond the 32-bit range lies wholly outside the surface (its width and
  // height are 32-bit numbers), so it is left out.
  auto copy = [&](int64_t x, int64_t y, int64_t w, int64_t h) {
    if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return;
    gdi::BitBlt(mem_dc_, static_cast<int>(x), static_cast<int>(y), static_cast<int>(w),
                static_cast<int>(h), source.hDC(), 0, 0, gdi::SRCCOPY);
  };
  // Tiles wholly outside the surface copy nothing; the loops skip them, so a huge area with a
  // tiny picture costs no more than the surface it covers.
  auto first = [](int64_t origin, int64_t step) {
    return origin >= 0 ? 0 : (-origin / step) * step;
  };
  auto last = [](int64_t origin, int64_t extent, int64_t size) {
    return std::min(extent, size - origin);
  };
  const int64_t o = scale_.Px(picture_offset_);
  switch (picture_tile_) {
    case 0: {
      const Placement at = PlaceByAlignment(picture_alignment_, a, o, pw, ph);
      copy(at.x, at.y, pw, ph);
      break;
    }
    case 1: {
      const int64_t y = a.top + (a.bottom - a.top - ph) / 2;
      if (pw < 1) break;
      for (int64_t d = first(a.left, pw); d <= last(a.left, aw, ctl_width_); d += pw)
        copy(a.left + d, y, d + pw > aw ? aw - d : pw, ph);
      break;
    }
    case 2: {
      const int64_t x = a.left + (a.right - a.left - pw) / 2;
      if (ph < 1) break;
      for (int64_t d = first(a.top, ph); d <= last(a.top, ah, ctl_height_); d += ph)
        copy(x, a.top + d, pw, d + ph > ah ? ah - d : ph);
      break;
    }
    case 3:
      if (pw < 1 || ph < 1) break;
      for (int64_t dx = first(a.left, pw); dx <= last(a.left, aw, ctl_width_); dx += pw)
        for (int64_t dy = first(a.top, ph); dy <= last(a.top, ah, ctl_height_); dy += ph)
          copy(a.left + dx, a.top + dy, dx + pw > aw ? aw - dx : pw, dy + ph > ah ? ah - dy : ph);
      break;
    default:
      break;
  }
}

}  // namespace vg
