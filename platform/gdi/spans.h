#pragma once
// Filling runs of 32-bit pixels in one colour: the inner loop of every solid fill, shared by
// the device and by painters that compose rows of spans in a bitmap's pixels themselves.
#include <cstddef>
#include <cstdint>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/gdi/gdi.h"

namespace vg::gdi {

// Sets n pixels of each of `rows` rows (`stride` pixels apart) to one colour. Where the
// processor allows, four pixels a store, the last store of a row overlapping the one
// before it instead of a loop over the remainder.
inline void FillRows(COLORREF* p, ptrdiff_t stride, ptrdiff_t rows, ptrdiff_t n, COLORREF color) {
  if (n <= 0) return;
#ifdef __SSE2__
  if (n >= 4) {
    const __m128i four = _mm_set1_epi32(static_cast<int>(color));
    if (n <= 8) {
      // Narrow spans (gradient bands, frame lines): two overlapping stores a row.
      for (; rows > 0; --rows, p += stride) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + n - 4), four);
      }
      return;
    }
    for (; rows > 0; --rows, p += stride) {
      ptrdiff_t i = 0;
      for (; i + 16 < n; i += 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i + 4), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i + 8), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i + 12), four);
      }
      if (i + 8 < n) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i + 4), four);
        i += 8;
      }
      if (i + 4 < n) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), four);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + n - 4), four);
    }
    return;
  }
#endif
  for (; rows > 0; --rows, p += stride)
    for (ptrdiff_t i = 0; i < n; ++i) p[i] = color;
}

// Sets n pixels to one colour.
inline void FillPixels(COLORREF* p, ptrdiff_t n, COLORREF color) {
  FillRows(p, 0, 1, n, color);
}

}  // namespace vg::gdi
