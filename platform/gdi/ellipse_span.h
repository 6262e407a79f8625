#pragma once
// Which pixels of a row a filled ellipse covers. The device's Ellipse paints exactly these;
// painters that compose many ellipses row by row use the same rule to leave the same pixels.
#include <algorithm>
#include <cmath>

namespace vg::gdi {

// The pixels of row y whose centres lie inside the ellipse inscribed in the box
// (l, t)-(r, b), with l <= r and t <= b: x0 <= x < x1. False when the row misses it.
inline bool EllipseRowSpan(double l, double t, double r, double b, int y, int* x0, int* x1) {
  double a = (r - l) / 2.0, bb = (b - t) / 2.0;
  if (a <= 0 || bb <= 0) return false;
  double dy = (y + 0.5 - (t + bb)) / bb;
  if (dy < -1.0 || dy > 1.0) return false;
  double half = a * std::sqrt(1.0 - dy * dy);
  double cx = l + a;
  // Clamped well inside the integer range; callers clip to the bitmap afterwards.
  constexpr double kFar = 1 << 30;
  *x0 = static_cast<int>(std::clamp(std::ceil(cx - half - 0.5), -kFar, kFar));
  *x1 = static_cast<int>(std::clamp(std::floor(cx + half - 0.5), -kFar, kFar)) + 1;
  return *x0 < *x1;
}

}  // namespace vg::gdi
