// Block copies between device contexts.
#include <algorithm>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

#include "platform/gdi/object_table.h"

namespace vg::gdi {
using namespace detail;

namespace {

// Copies n pixels exchanging red and blue, the top byte set to `alpha` (0xFF000000 into a
// window in the screen's layout, 0 out of one): the one pass that moves pixels between the
// two layouts.
void CopySwappedPlain(COLORREF* d, const COLORREF* s, ptrdiff_t n, COLORREF alpha) {
  ptrdiff_t i = 0;
#ifdef __SSE2__
  const __m128i low = _mm_set1_epi32(0xFF), green = _mm_set1_epi32(0xFF00);
  const __m128i top = _mm_set1_epi32(static_cast<int>(alpha));
  for (; i + 4 <= n; i += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    __m128i out = _mm_or_si128(_mm_and_si128(_mm_srli_epi32(v, 16), low),
                               _mm_slli_epi32(_mm_and_si128(v, low), 16));
    out = _mm_or_si128(_mm_or_si128(out, _mm_and_si128(v, green)), top);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), out);
  }
#endif
  for (; i < n; ++i) d[i] = (SwapRedBlue(s[i]) & 0x00FFFFFFu) | alpha;
}

#if defined(__GNUC__) && defined(__x86_64__)
// The same with one byte shuffle for eight pixels, on processors that have it.
[[gnu::target("avx2")]] void CopySwappedAvx2(COLORREF* d, const COLORREF* s, ptrdiff_t n,
                                             COLORREF alpha) {
  // Bytes 2, 1, 0 of each pixel to places 0, 1, 2; the top byte cleared (index with the
  // high bit set), then `alpha` put in.
  const __m256i order =
      _mm256_setr_epi8(2, 1, 0, -128, 6, 5, 4, -128, 10, 9, 8, -128, 14, 13, 12, -128, 2, 1, 0,
                       -128, 6, 5, 4, -128, 10, 9, 8, -128, 14, 13, 12, -128);
  const __m256i top = _mm256_set1_epi32(static_cast<int>(alpha));
  ptrdiff_t i = 0;
  // Thirty-two pixels a round while they last (a window's row is usually hundreds).
  for (; i + 32 <= n; i += 32)
#pragma GCC unroll 4
    for (int k = 0; k < 32; k += 8) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + k));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i + k),
                          _mm256_or_si256(_mm256_shuffle_epi8(v, order), top));
    }
  for (; i + 8 <= n; i += 8) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i),
                        _mm256_or_si256(_mm256_shuffle_epi8(v, order), top));
  }
  CopySwappedPlain(d + i, s + i, n - i, alpha);
}
#endif

void CopySwapped(COLORREF* d, const COLORREF* s, ptrdiff_t n, COLORREF alpha) {
#if defined(__GNUC__) && defined(__x86_64__)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) return CopySwappedAvx2(d, s, n, alpha);
#endif
  CopySwappedPlain(d, s, n, alpha);
}

// Copies a row of n pixels from a bitmap to another, converting between their layouts.
void CopyRow(const Bitmap& to, COLORREF* d, const Bitmap& from, const COLORREF* s, ptrdiff_t n) {
  if (to.screen_layout == from.screen_layout)
    std::memmove(d, s, static_cast<size_t>(n) * sizeof(COLORREF));
  else
    CopySwapped(d, s, n, to.screen_layout ? 0xFF000000u : 0u);
}

}  // namespace

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int src_x, int src_y,
            uint32_t rop) {
  if (rop != SRCCOPY) return false;
  Bitmap* to = TargetBitmap(dst);
  Bitmap* from = TargetBitmap(src);
  if (!to || !from) return false;
  if (width <= 0 || height <= 0) return true;
  Dc* to_dc = Get<Dc>(dst);
  if (to_dc->window) ++to_dc->updates;
  // Clip the block against the source and the destination alike, keeping the two
  // positions in step.
  int64_t x0 = x, y0 = y, sx0 = src_x, sy0 = src_y, w = width, h = height;
  if (x0 < 0) w += x0, sx0 -= x0, x0 = 0;
  if (y0 < 0) h += y0, sy0 -= y0, y0 = 0;
  if (sx0 < 0) w += sx0, x0 -= sx0, sx0 = 0;
  if (sy0 < 0) h += sy0, y0 -= sy0, sy0 = 0;
  w = std::min({w, int64_t{to->width} - x0, int64_t{from->width} - sx0});
  h = std::min({h, int64_t{to->height} - y0, int64_t{from->height} - sy0});
  if (w <= 0 || h <= 0) return true;
  bool same = to == from;
  for (int64_t row = 0; row < h; ++row) {
    // Copying within one bitmap downwards must run bottom-up to read rows before they
    // are overwritten.
    int64_t r = (same && y0 > sy0) ? h - 1 - row : row;
    COLORREF* d = to->pixels.data() + (y0 + r) * to->width + x0;
    const COLORREF* s = from->pixels.data() + (sy0 + r) * from->width + sx0;
    CopyRow(*to, d, *from, s, w);
  }
  // Last, so that a listener finds the window's pixels already changed.
  if (to_dc->listener)
    to_dc->listener->WindowChanged(
        dst, RECT{static_cast<int32_t>(x0), static_cast<int32_t>(y0), static_cast<int32_t>(x0 + w),
                  static_cast<int32_t>(y0 + h)});
  return true;
}

bool SetDIBitsToDevice(HDC hdc, int x, int y, int width, int height, const COLORREF* bits) {
  Bitmap* to = TargetBitmap(hdc);
  if (!to || !bits) return false;
  if (width <= 0 || height <= 0) return true;
  if (Dc* dc = Get<Dc>(hdc); dc->window) ++dc->updates;
  // Clipped to the bitmap in 64 bits; the source moves along with the clipped edges.
  const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
  const int64_t x1 = std::min<int64_t>(int64_t{x} + width, to->width);
  const int64_t y1 = std::min<int64_t>(int64_t{y} + height, to->height);
  for (int64_t row = y0; row < y1; ++row) {
    if (x0 >= x1) break;
    const COLORREF* s = bits + (row - y) * width + (x0 - x);
    COLORREF* d = to->pixels.data() + row * to->width + x0;
    if (to->screen_layout)
      CopySwapped(d, s, x1 - x0, 0xFF000000u);
    else
      std::memcpy(d, s, static_cast<size_t>(x1 - x0) * sizeof(COLORREF));
  }
  return true;
}

}  // namespace vg::gdi
