#include "platform/host/picture_scaling.h"

#include <algorithm>
#include <cmath>

namespace vg {
namespace {

// The source taps of one destination coordinate along an axis.
struct Taps {
  int first = 0;
  int count = 0;
  float weights[64];
};

// Weights for destination pixel `d` of `dn`, from a source of `sn` pixels. The filter is as
// wide as one destination pixel in source pixels (at least one): 2 x that in taps. Very large
// reductions are capped at 64 taps (a picture shrunk more than 30 times averages the 64 nearest
// source pixels).
void TapsFor(int d, int dn, int sn, Taps* t) {
  const double scale = static_cast<double>(sn) / dn;
  const double radius = std::min(std::max(scale, 1.0), 31.0);
  const double centre = (d + 0.5) * scale - 0.5;
  const int lo = std::max(0, static_cast<int>(std::ceil(centre - radius)));
  const int hi = std::min(sn - 1, static_cast<int>(std::floor(centre + radius)));
  double total = 0.0;
  t->first = lo;
  t->count = 0;
  for (int i = lo; i <= hi && t->count < 64; ++i) {
    const double w = 1.0 - std::abs(i - centre) / radius;
    t->weights[t->count++] = static_cast<float>(w > 0.0 ? w : 0.0);
    total += w > 0.0 ? w : 0.0;
  }
  if (total <= 0.0) {  // the centre falls between taps of weight 0: take the nearest pixel
    t->first = std::clamp(static_cast<int>(std::lround(centre)), 0, sn - 1);
    t->count = 1;
    t->weights[0] = 1.0f;
    return;
  }
  for (int i = 0; i < t->count; ++i) t->weights[i] = static_cast<float>(t->weights[i] / total);
}

uint8_t Channel(float v) {
  return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

void ResamplePixels(const COLORREF* src, int sw, int sh, COLORREF* dst, int dw, int dh,
                    std::vector<float>* scratch) {
  // Horizontal pass into sh rows of dw pixels, three channels each; then the vertical pass.
  scratch->assign(static_cast<size_t>(sh) * dw * 3, 0.0f);
  float* rows = scratch->data();
  Taps taps;
  for (int x = 0; x < dw; ++x) {
    TapsFor(x, dw, sw, &taps);
    for (int y = 0; y < sh; ++y) {
      float r = 0, g = 0, b = 0;
      const COLORREF* row = src + static_cast<size_t>(y) * sw + taps.first;
      for (int i = 0; i < taps.count; ++i) {
        const float w = taps.weights[i];
        r += w * GetRValue(row[i]);
        g += w * GetGValue(row[i]);
        b += w * GetBValue(row[i]);
      }
      float* out = rows + (static_cast<size_t>(y) * dw + x) * 3;
      out[0] = r, out[1] = g, out[2] = b;
    }
  }
  for (int y = 0; y < dh; ++y) {
    TapsFor(y, dh, sh, &taps);
    for (int x = 0; x < dw; ++x) {
      float r = 0, g = 0, b = 0;
      for (int i = 0; i < taps.count; ++i) {
        const float* in = rows + (static_cast<size_t>(taps.first + i) * dw + x) * 3;
        r += taps.weights[i] * in[0];
        g += taps.weights[i] * in[1];
        b += taps.weights[i] * in[2];
      }
      dst[static_cast<size_t>(y) * dw + x] = RGB(Channel(r), Channel(g), Channel(b));
    }
  }
}

}  // namespace vg
