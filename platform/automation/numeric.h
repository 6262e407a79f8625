#pragma once
// Number helpers shared by every layer: the one rounding rule (halves to the even
// neighbour) and the one truncation the control uses when floating values become pixels,
// twips or percentages.
#include <cstdint>

namespace vg {

// Rounds to the nearest integer; an exact half goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Independent of the floating-point environment's rounding mode.
double RoundHalfEven(double x);

// Drops the fraction (towards zero).
double Truncate(double x);

// RoundHalfEven into a 32-bit integer, saturating at the limits (NaN gives 0). For pixel and
// twip numbers, where a saturated value is safer than undefined behaviour.
int32_t RoundToInt32(double x);

}  // namespace vg
