#pragma once
// Pixel measures at a device's density. The control's measures in pixels (frame widths,
// rivets, hatch cells, text and picture offsets) are meant for a screen of 96 dpi; on a
// denser device each becomes n x dpi / 96 device pixels, rounded to the nearest (halves
// away from zero), so the control keeps its look and size and only gets sharper. At 96 dpi,
// and below it (a line never gets thinner than one device pixel), every measure is used as
// it is. Rounding is monotonic, so bands laid side by side from one edge, k to k + 1
// measures in, meet without gaps at any ratio.
#include <cstdint>

namespace vg {

class DeviceScale {
 public:
  static constexpr int kUnitDpi = 96;

  explicit DeviceScale(int dpi = kUnitDpi) : dpi_(dpi > kUnitDpi ? dpi : kUnitDpi) {}

  // True at the unit density: every measure stays what it is.
  bool Unit() const { return dpi_ == kUnitDpi; }
  // The resolution measures are scaled to (never below 96).
  int Dpi() const { return dpi_; }
  // Device pixels a pixel at 96 dpi covers: exactly 1 at the unit density.
  double Ratio() const { return dpi_ == kUnitDpi ? 1.0 : dpi_ / static_cast<double>(kUnitDpi); }

  // `n` pixels at 96 dpi, in device pixels.
  int64_t Px(int32_t n) const {
    if (dpi_ == kUnitDpi) return n;
    const int64_t magnitude = n < 0 ? -int64_t{n} : int64_t{n};
    const int64_t scaled = (magnitude * dpi_ + kUnitDpi / 2) / kUnitDpi;
    return n < 0 ? -scaled : scaled;
  }
  // The same for 16-bit settings, kept in 16 bits (a measure that would leave them is
  // wider than any window anyway).
  int16_t Px16(int16_t n) const {
    const int64_t v = Px(n);
    return static_cast<int16_t>(v > INT16_MAX ? INT16_MAX : v < INT16_MIN ? INT16_MIN : v);
  }

 private:
  int dpi_;
};

}  // namespace vg
