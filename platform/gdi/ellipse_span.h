#pragma once
// Which pixels of a row a filled ellipse covers. The device's Ellipse paints exactly these;
// painters that compose many ellipses row by row use the same rule to leave the same pixels.
#include <algorithm>
#include <cmath>

namespace vg::gdi {

// std::ceil and std::floor without a library call where the processor has no instruction for
// them: below 2^51, adding and taking away 1.5 x 2^52 rounds to the nearest integer, and one
// step corrects it. Larger values, infinities and NaN go to the library.
inline double CeilOf(double v) {
  constexpr double kMagic = 6755399441055744.0;
  if (!(v > -2251799813685248.0 && v < 2251799813685248.0)) return std::ceil(v);
  const double r = (v + kMagic) - kMagic;
  return r < v ? r + 1.0 : r;
}
inline double FloorOf(double v) {
  constexpr double kMagic = 6755399441055744.0;
  if (!(v > -2251799813685248.0 && v < 2251799813685248.0)) return std::floor(v);
  const double r = (v + kMagic) - kMagic;
  return r > v ? r - 1.0 : r;
}

// The ellipse inscribed in the box (l, t)-(r, b), with l <= r and t <= b, row by row. What
// does not depend on the row is worked out once.
class EllipseRows {
 public:
  EllipseRows() : EllipseRows(0, 0, 0, 0) {}
  EllipseRows(double l, double t, double r, double b)
      : a_((r - l) / 2.0), bb_((b - t) / 2.0), cx_(l + a_), cy_(t + bb_) {}

  // The pixels of row y whose centres lie inside the ellipse: x0 <= x < x1. False when the
  // row misses it.
  bool Span(int y, int* x0, int* x1) const {
    if (a_ <= 0 || bb_ <= 0) return false;
    double dy = (y + 0.5 - cy_) / bb_;
    if (dy < -1.0 || dy > 1.0) return false;
    double half = a_ * std::sqrt(1.0 - dy * dy);
    // Clamped well inside the integer range; callers clip to the bitmap afterwards.
    constexpr double kFar = 1 << 30;
    *x0 = static_cast<int>(std::clamp(CeilOf(cx_ - half - 0.5), -kFar, kFar));
    *x1 = static_cast<int>(std::clamp(FloorOf(cx_ + half - 0.5), -kFar, kFar)) + 1;
    return *x0 < *x1;
  }

 private:
  double a_, bb_;   // half the width and height
  double cx_, cy_;  // the centre
};

}  // namespace vg::gdi
