#pragma once
// Number helpers shared by every layer: the one rounding rule (halves to the even
// neighbour) the control uses when floating values become pixels or twips.
#include <cmath>
#include <cstdint>

namespace vg {

// Rounds to the nearest integer; an exact half goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Independent of the floating-point environment's rounding mode.
inline double RoundHalfEven(double x) {
  // Beyond 2^62 (and for infinities and NaN) there is no fraction to round.
  if (!(std::fabs(x) < 4.0e18)) return x;
  // Truncation towards zero is exact here and needs no library call.
  int64_t t = static_cast<int64_t>(x);
  double frac = x - static_cast<double>(t);
  if (frac > 0.5 || (frac == 0.5 && (t & 1) != 0))
    ++t;
  else if (frac < -0.5 || (frac == -0.5 && (t & 1) != 0))
    --t;
  return static_cast<double>(t);
}

// RoundHalfEven into a 32-bit integer, saturating at the limits (NaN gives 0). For pixel and
// twip numbers, where a saturated value is safer than undefined behaviour.
inline int32_t RoundToInt32(double x) {
  if (std::isnan(x)) return 0;
  double r = RoundHalfEven(x);
  if (r >= 2147483647.0) return 2147483647;
  if (r <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int32_t>(r);
}

}  // namespace vg
