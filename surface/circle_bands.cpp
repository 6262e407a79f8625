// The bands of a circle gradient share their centre and shrink band by band, so on each row
// the later bands cover a middle part that only grows as the bands go outward. Working from
// the last band to the first, each band adds what it covers left and right of that part:
// the row becomes a sequence of runs, each in the colour of the last band covering it. The
// runs are written straight into the bitmap's row, so each pixel is written once however
// many bands cover it, and no frame is copied. Every band's span on a row is worked out
// first, four bands at a time where the processor has the instructions (the same IEEE
// operations in the same order as the device's ellipse rule, so the same pixels).
#include "surface/circle_bands.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

#include "platform/automation/numeric.h"
#include "platform/gdi/ellipse_span.h"
#include "platform/gdi/spans.h"

namespace vg {
namespace {

constexpr int kMaxBands = 256;  // the most colour levels a display gives

bool g_wide_spans = true;

// What the device's ellipse rule (gdi::EllipseRows) works out once per band, one array per
// quantity so that four bands load at once. Unused places hold empty bands (a = 0).
struct BandShapes {
  alignas(32) std::array<double, kMaxBands> a{}, bb{}, cx{}, cy{}, top{}, bottom{};
  std::array<gdi::EllipseRows, kMaxBands> rows;  // the same, for the plain path
};

// Band i's pixels of row y, x0 <= x < x1, clipped to 0..width; x0 = x1 = 0 when none.
void RowSpansPlain(const BandShapes& b, int count, int32_t y, int32_t width, int32_t* x0,
                   int32_t* x1) {
  for (int i = 0; i < count; ++i) {
    int s0 = 0, s1 = 0;
    if (y >= b.top[i] && y < b.bottom[i] && b.rows[i].Span(y, &s0, &s1)) {
      s0 = std::clamp(s0, 0, width), s1 = std::clamp(s1, 0, width);
      if (s0 < s1) {
        x0[i] = s0, x1[i] = s1;
        continue;
      }
    }
    x0[i] = x1[i] = 0;
  }
}

#if defined(__GNUC__) && defined(__x86_64__)
[[gnu::target("avx2")]] void RowSpansAvx2(const BandShapes& b, int count, int32_t y, int32_t width,
                                          int32_t* x0, int32_t* x1) {
  const __m256d yd = _mm256_set1_pd(static_cast<double>(y));
  const __m256d ymid = _mm256_set1_pd(y + 0.5);
  const __m256d zero = _mm256_setzero_pd(), one = _mm256_set1_pd(1.0);
  const __m256d minus_one = _mm256_set1_pd(-1.0), half_px = _mm256_set1_pd(0.5);
  const __m256d far = _mm256_set1_pd(1 << 30), near = _mm256_set1_pd(-(1 << 30));
  const __m256d right = _mm256_set1_pd(static_cast<double>(width));
  for (int i = 0; i < count; i += 4) {
    const __m256d a = _mm256_load_pd(&b.a[i]), bb = _mm256_load_pd(&b.bb[i]);
    const __m256d cx = _mm256_load_pd(&b.cx[i]), cy = _mm256_load_pd(&b.cy[i]);
    __m256d valid =
        _mm256_and_pd(_mm256_cmp_pd(a, zero, _CMP_GT_OQ), _mm256_cmp_pd(bb, zero, _CMP_GT_OQ));
    valid = _mm256_and_pd(valid, _mm256_cmp_pd(yd, _mm256_load_pd(&b.top[i]), _CMP_GE_OQ));
    valid = _mm256_and_pd(valid, _mm256_cmp_pd(yd, _mm256_load_pd(&b.bottom[i]), _CMP_LT_OQ));
    const __m256d dy = _mm256_div_pd(_mm256_sub_pd(ymid, cy), bb);
    valid = _mm256_and_pd(valid, _mm256_cmp_pd(dy, minus_one, _CMP_GE_OQ));
    valid = _mm256_and_pd(valid, _mm256_cmp_pd(dy, one, _CMP_LE_OQ));
    const __m256d half =
        _mm256_mul_pd(a, _mm256_sqrt_pd(_mm256_sub_pd(one, _mm256_mul_pd(dy, dy))));
    __m256d s0 = _mm256_round_pd(_mm256_sub_pd(_mm256_sub_pd(cx, half), half_px),
                                 _MM_FROUND_TO_POS_INF | _MM_FROUND_NO_EXC);
    __m256d s1 = _mm256_round_pd(_mm256_sub_pd(_mm256_add_pd(cx, half), half_px),
                                 _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
    s0 = _mm256_min_pd(_mm256_max_pd(s0, near), far);
    s1 = _mm256_add_pd(_mm256_min_pd(_mm256_max_pd(s1, near), far), one);
    // Clipped to the bitmap's row.
    s0 = _mm256_min_pd(_mm256_max_pd(s0, zero), right);
    s1 = _mm256_min_pd(_mm256_max_pd(s1, zero), right);
    valid = _mm256_and_pd(valid, _mm256_cmp_pd(s0, s1, _CMP_LT_OQ));
    s0 = _mm256_and_pd(s0, valid), s1 = _mm256_and_pd(s1, valid);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(x0 + i), _mm256_cvttpd_epi32(s0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(x1 + i), _mm256_cvttpd_epi32(s1));
  }
}
#endif

void RowSpans(const BandShapes& b, int count, int32_t y, int32_t width, int32_t* x0, int32_t* x1) {
#if defined(__GNUC__) && defined(__x86_64__)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2 && g_wide_spans) return RowSpansAvx2(b, count, y, width, x0, x1);
#endif
  RowSpansPlain(b, count, y, width, x0, x1);
}

class Painter {
 public:
  explicit Painter(const gdi::WritablePixels& target) : target_(target) {}

  void AddBand(int32_t l, int32_t t, int32_t r, int32_t b, COLORREF color) {
    if (r < l) std::swap(l, r);  // as the device orders an ellipse's box
    if (b < t) std::swap(t, b);
    // As gdi::EllipseRows works them out.
    const double a = (static_cast<double>(r) - l) / 2.0, bb = (static_cast<double>(b) - t) / 2.0;
    shapes_.a[count_] = a, shapes_.bb[count_] = bb;
    shapes_.cx[count_] = l + a, shapes_.cy[count_] = t + bb;
    shapes_.top[count_] = t, shapes_.bottom[count_] = b;
    shapes_.rows[count_] = gdi::EllipseRows(l, t, r, b);
    colors_[count_++] = target_.Stored(color);  // in the layout of the pixels written
  }

  void Paint() {
    double y0 = INT32_MAX, y1 = INT32_MIN;
    for (int i = 0; i < count_; ++i)
      y0 = std::min(y0, shapes_.top[i]), y1 = std::max(y1, shapes_.bottom[i]);
    const int32_t first = static_cast<int32_t>(std::max(y0, 0.0));
    const int32_t end = static_cast<int32_t>(std::min(y1, static_cast<double>(target_.height)));
    const int padded = (count_ + 3) & ~3;  // the empty places after the bands stay empty
    // A band's rows mirror about the middle of its box: row y and row top + bottom - 1 - y
    // have the same span (the same steps, negated). When every band shares top + bottom,
    // which inner and outer circles do, a row and its mirror row are painted alike: the
    // part the bands cover is copied across.
    int64_t sum = 0;
    const bool mirrored = ShareTopPlusBottom(&sum);
    for (int32_t y = first; y < end; ++y) {
      const int64_t m = sum - 1 - y;
      if (mirrored && m < y && m >= first) continue;  // painted with its mirror row
      RowSpans(shapes_, padded, y, target_.width, x0_.data(), x1_.data());
      int c0 = 0, c1 = 0;
      const bool one_part = PaintRow(y, &c0, &c1);
      if (!mirrored || m <= y || m >= end) continue;
      if (one_part) {
        const COLORREF* from = target_.pixels + static_cast<ptrdiff_t>(y) * target_.width;
        COLORREF* to = target_.pixels + static_cast<ptrdiff_t>(m) * target_.width;
        std::copy(from + c0, from + c1, to + c0);
      } else {
        PaintRow(static_cast<int32_t>(m), &c0, &c1);
      }
    }
  }

 private:
  // Whether every band's top + bottom is the same, *sum.
  bool ShareTopPlusBottom(int64_t* sum) const {
    if (count_ == 0) return false;
    *sum = static_cast<int64_t>(shapes_.top[0]) + static_cast<int64_t>(shapes_.bottom[0]);
    for (int i = 1; i < count_; ++i)
      if (static_cast<int64_t>(shapes_.top[i]) + static_cast<int64_t>(shapes_.bottom[i]) != *sum)
        return false;
    return true;
  }

  // Paints row y straight into the bitmap's row: from the last band to the first, each band
  // adds the runs it covers left and right of the part the later bands covered, each pixel
  // written once. Where the later bands' parts of the row do not form one interval (possible
  // only with far-out edges, where single-precision steps jump by many pixels) the row is
  // painted by the plain rule instead, which covers every pixel written so far again.
  // Returns whether the covered pixels are the one part *c0..*c1-1 (none when equal).
  bool PaintRow(int32_t y, int* covered0, int* covered1) {
    COLORREF* row = target_.pixels + static_cast<ptrdiff_t>(y) * target_.width;
    bool any = false;
    int& c0 = *covered0;
    int& c1 = *covered1;  // the covered part, c0..c1-1
    c0 = c1 = 0;
    for (int i = count_ - 1; i >= 0; --i) {
      const int x0 = x0_[i], x1 = x1_[i];
      if (x0 >= x1) continue;
      const COLORREF color = colors_[i];
      if (!any) {
        gdi::FillPixels(row + x0, x1 - x0, color);
        c0 = x0, c1 = x1, any = true;
      } else if (x1 < c0 || x0 > c1) {
        PaintRowBandByBand(row);
        return false;
      } else {
        if (x0 < c0) gdi::FillPixels(row + x0, c0 - x0, color), c0 = x0;
        if (x1 > c1) gdi::FillPixels(row + c1, x1 - c1, color), c1 = x1;
      }
      if (c0 == 0 && c1 == target_.width) break;  // the outer bands cannot show on this row
    }
    return true;
  }

  // The plain rule: every band's part of the row over the one before, in order.
  void PaintRowBandByBand(COLORREF* row) {
    for (int i = 0; i < count_; ++i)
      if (x0_[i] < x1_[i]) gdi::FillPixels(row + x0_[i], x1_[i] - x0_[i], colors_[i]);
  }

  gdi::WritablePixels target_;
  int count_ = 0;
  BandShapes shapes_;
  std::array<COLORREF, kMaxBands> colors_;
  alignas(16) std::array<int32_t, kMaxBands> x0_, x1_;  // the row's spans
};

}  // namespace

void UseWideCircleSpans(bool wide) {
  g_wide_spans = wide;
}

bool PaintCircleBands(gdi::HDC hdc, const GradientPass& pass) {
  if (pass.Steps > kMaxBands) return false;
  const gdi::WritablePixels target = gdi::GetWritablePixels(hdc);
  if (pass.Steps < 1) return true;   // no band
  if (!target.pixels) return false;  // no pixels to write: band by band through the device
  Painter painter(target);
  float l = pass.BandLeft, t = pass.BandTop, r = pass.BandRight, b = pass.BandBottom;
  for (int i = 0; i < pass.Steps; ++i) {
    painter.AddBand(RoundToInt32(l), RoundToInt32(t), RoundToInt32(r), RoundToInt32(b),
                    BandColor(pass, i));
    l = l + pass.StepX;
    t = t + pass.StepY;
    r = r - pass.StepX;
    b = b - pass.StepY;
  }
  painter.Paint();
  return true;
}

}  // namespace vg
