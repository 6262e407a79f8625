#include "control/geometry.h"

#include <cmath>
#include <cstdlib>

#include "control/block_table.h"
#include "control/enums.h"
#include "platform/automation/conversions.h"
#include "platform/automation/numeric.h"

namespace vg {
namespace {

// Whole percent of `part` in `range`, exactly: 29 of 100 is 29.
int64_t PercentOf(int64_t part, int64_t range) {
  if (range == 0) return 0;
  return std::llabs(part) * 100 / std::llabs(range);
}

// Whole percent of `part` pixels in a drawing extent that may be fractional; whole
// extents take the exact integer way. An extent of 0 (or not a number) gives 0, and a
// percentage beyond 64 bits saturates.
int64_t PixelPercentOf(int64_t part, double extent) {
  if (extent == 0.0 || !std::isfinite(extent)) return 0;
  if (extent == std::trunc(extent) && std::fabs(extent) < 1e9)
    return PercentOf(part, static_cast<int64_t>(extent));
  const double percent = static_cast<double>(std::llabs(part)) / std::fabs(extent) * 100.0;
  return percent < 9.0e18 ? static_cast<int64_t>(percent) : INT64_MAX;
}

}  // namespace

bool IsDrawn(const BlockRecord& b) {
  return b.Visible && b.BarLeft >= 0 && b.BarRight >= 0 && b.BarTop >= 0 && b.BarBottom >= 0;
}

int16_t EffectiveBorderWidth(int32_t border_style, int16_t border_width) {
  return border_style >= vgEtched && border_width > 0 ? int16_t{1} : border_width;
}

int16_t ScaleRange(int16_t min_value, int16_t max_value) {
  return CheckedInteger(int32_t{max_value} - min_value);
}

ScaleFactors Scales(double scale_width, double scale_height, int16_t bw, int16_t h_range,
                    int16_t v_range) {
  const float fbw = bw;
  return {(static_cast<float>(scale_width) - 2.0f * fbw) / static_cast<float>(h_range),
          (static_cast<float>(scale_height) - 2.0f * fbw) / static_cast<float>(v_range)};
}

PixelRect BlockRect(int32_t orientation, const BlockRecord& b, float sh, float sv, float w, float h,
                    int16_t bw) {
  const float fbw = bw;
  auto px = [](float v) { return RoundToInt32(v); };
  switch (orientation) {
    case vgFromLeft:
      return {px(b.BarLeft * sh + fbw), px((h - fbw) - b.BarTop * sv), px(b.BarRight * sh + fbw),
              px((h - fbw) - b.BarBottom * sv)};
    case vgFromRight:
      return {px((w - fbw) - b.BarRight * sh), px((h - fbw) - b.BarTop * sv),
              px((w - fbw) - b.BarLeft * sh), px((h - fbw) - b.BarBottom * sv)};
    case vgFromTop:
      return {px((w - fbw) - b.BarTop * sh), px(b.BarLeft * sv + fbw),
              px((w - fbw) - b.BarBottom * sh), px(b.BarRight * sv + fbw)};
    case vgFromBottom:
      return {px((w - fbw) - b.BarTop * sh), px((h - fbw) - b.BarRight * sv),
              px((w - fbw) - b.BarBottom * sh), px((h - fbw) - b.BarLeft * sv)};
    default:
      return {};
  }
}

Percentages BlockPercentages(const BlockRecord& b, int16_t h_range, int16_t v_range,
                             double scale_width, double scale_height) {
  const int64_t h_extent = int64_t{b.BarLeft} - b.BarRight;
  const int64_t v_extent = int64_t{b.BarTop} - b.BarBottom;
  if (b.AutoSize) return {PercentOf(h_extent, h_range), PercentOf(v_extent, v_range)};
  return {PixelPercentOf(h_extent, scale_width), PixelPercentOf(v_extent, scale_height)};
}

int32_t HitTest(const BlockTable& blocks, int32_t orientation, ScaleFactors scales, float x,
                float y) {
  float fx = scales.h, fy = scales.v;
  if (orientation != vgFromLeft && orientation != vgFromRight) std::swap(fx, fy);
  const auto& records = blocks.records();
  const int32_t last = std::min<int32_t>(blocks.count(), static_cast<int32_t>(records.size()) - 1);
  for (int32_t n = 1; n <= last; ++n) {
    const BlockRecord& b = records[n];
    if (!b.Clickable || !b.Visible) continue;
    // 32-bit differences: a bar far below the scale cannot overflow the measure.
    const float left = static_cast<float>(b.BarLeft) * fx;
    const float right = static_cast<float>(b.BarRight) * fx;
    const float top = static_cast<float>(100 - int32_t{b.BarTop}) * fy;
    const float bottom = static_cast<float>(100 - int32_t{b.BarBottom}) * fy;
    if (left <= x && x <= right && top <= y && y <= bottom) return n;
  }
  return -1;
}

}  // namespace vg
