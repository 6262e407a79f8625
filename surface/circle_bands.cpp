// The bands of a circle gradient share their centre and shrink band by band, so on each row
// the later bands cover a middle part that only grows as the bands go outward. Working from
// the last band to the first, each band adds what it covers left and right of that part:
// the row becomes a sequence of runs, each in the colour of the last band covering it. The
// runs are composed in a row buffer and copied to the device once per row, so each pixel is
// written once however many bands cover it.
#include "surface/circle_bands.h"

#include <algorithm>
#include <array>
#include <cstdint>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <utility>

#include "platform/automation/numeric.h"
#include "platform/gdi/ellipse_span.h"

namespace vg {
namespace {

constexpr int kMaxBands = 256;  // the most colour levels a display gives
constexpr int kChunk = 2048;    // pixels of a row composed at a time

// A band's ellipse box as the device draws it (edges ordered), and its colour.
struct Band {
  int32_t left, top, right, bottom;
  gdi::EllipseRows rows;
  COLORREF color;
};

// Pixels x0..x1-1 of the row in one colour.
struct Run {
  int32_t x0, x1;
  COLORREF color;
};

// Sets n pixels to one colour. Runs are a few pixels wide on average: four pixels a store
// where the processor allows, the last store overlapping the one before it.
inline void FillPixels(COLORREF* p, int32_t n, COLORREF color) {
#ifdef __SSE2__
  if (n >= 4) {
    const __m128i four = _mm_set1_epi32(static_cast<int>(color));
    if (n > 8)
      for (int32_t i = 4; i + 4 < n; i += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), four);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + n - 4), four);
    return;
  }
#endif
  for (int32_t i = 0; i < n; ++i) p[i] = color;
}

class Painter {
 public:
  Painter(gdi::HDC hdc, const gdi::PixelView& target) : hdc_(hdc), target_(target) {}

  void AddBand(int32_t l, int32_t t, int32_t r, int32_t b, COLORREF color) {
    if (r < l) std::swap(l, r);  // as the device orders an ellipse's box
    if (b < t) std::swap(t, b);
    bands_[count_++] = {l, t, r, b, gdi::EllipseRows(l, t, r, b), color};
  }

  void Paint() {
    int32_t y0 = INT32_MAX, y1 = INT32_MIN;
    for (int i = 0; i < count_; ++i)
      y0 = std::min(y0, bands_[i].top), y1 = std::max(y1, bands_[i].bottom);
    y0 = std::max(y0, 0), y1 = std::min(y1, target_.height);
    // A band's rows mirror about the middle of its box: row y and row top + bottom - 1 - y
    // have the same span. Most bands share top + bottom, so the mirror row of a row is
    // made from the spans found for the row, and only the other bands are asked again.
    const int64_t sum = CommonTopPlusBottom();
    for (int32_t y = y0; y < y1; ++y) {
      const int64_t m = sum - 1 - y;
      if (m < y && m >= y0) continue;  // painted with its mirror row
      for (int i = 0; i < count_; ++i) known_[i] = false;
      PaintRow(y, false);
      if (m > y && m < y1) PaintRow(static_cast<int32_t>(m), true);
    }
  }

 private:
  // The value of top + bottom most bands share (a majority vote).
  int64_t CommonTopPlusBottom() {
    int64_t candidate = 0;
    int votes = 0;
    for (int i = 0; i < count_; ++i) {
      const int64_t s = int64_t{bands_[i].top} + bands_[i].bottom;
      if (votes == 0) candidate = s;
      votes += s == candidate ? 1 : -1;
    }
    for (int i = 0; i < count_; ++i)
      mirrored_[i] = int64_t{bands_[i].top} + bands_[i].bottom == candidate;
    return candidate;
  }

  // The row's pixels of band i, clipped to the bitmap; false when there are none.
  [[gnu::always_inline]] bool Span(int i, int32_t y, int* x0, int* x1) const {
    const Band& b = bands_[i];
    if (y < b.top || y >= b.bottom) return false;
    if (!b.rows.Span(y, x0, x1)) return false;
    *x0 = std::clamp(*x0, 0, target_.width), *x1 = std::clamp(*x1, 0, target_.width);
    return *x0 < *x1;
  }

  // Band i's span on row y, remembered for the mirror row; on the mirror row (`mirror`) a
  // band that mirrors gives back what it gave on the row.
  [[gnu::always_inline]] bool KnownSpan(int i, int32_t y, bool mirror, int* x0, int* x1) {
    if (mirror && known_[i] && mirrored_[i]) {
      *x0 = spans_[i].x0, *x1 = spans_[i].x1;
      return *x0 < *x1;
    }
    const bool any = Span(i, y, x0, x1);
    if (!mirror) spans_[i] = any ? Run{*x0, *x1, 0} : Run{0, 0, 0}, known_[i] = true;
    return any;
  }

  // The runs of row y, left to right, into runs_[first_, last_). False when the later
  // bands' parts of the row do not form one interval (possible only with far-out edges,
  // where single-precision steps jump by many pixels).
  bool RowRuns(int32_t y, bool mirror) {
    first_ = last_ = kMaxBands;  // runs left of the covered part go downward, right of it up
    int c0 = 0, c1 = 0;          // the covered part, c0..c1-1
    for (int i = count_ - 1; i >= 0; --i) {
      int x0, x1;
      if (!KnownSpan(i, y, mirror, &x0, &x1)) continue;
      const COLORREF color = bands_[i].color;
      if (first_ == last_) {
        runs_[last_++] = {x0, x1, color};
        c0 = x0, c1 = x1;
      } else if (x1 < c0 || x0 > c1) {
        return false;
      } else {
        if (x0 < c0) runs_[--first_] = {x0, c0, color}, c0 = x0;
        if (x1 > c1) runs_[last_++] = {c1, x1, color}, c1 = x1;
      }
      if (c0 == 0 && c1 == target_.width) break;  // the outer bands cannot show on this row
    }
    return true;
  }

  // Paints row y from its runs.
  void PaintRow(int32_t y, bool mirror) {
    if (!RowRuns(y, mirror)) {
      PaintRowBandByBand(y);
      return;
    }
    if (first_ == last_) return;
    const int32_t from = runs_[first_].x0, to = runs_[last_ - 1].x1;
    if (to - from > kChunk) {
      CopyInChunks(y, from, to);
      return;
    }
    for (int k = first_; k < last_; ++k) Compose(runs_[k], from);
    gdi::SetDIBitsToDevice(hdc_, from, y, to - from, 1, row_.data());
  }

  void Compose(const Run& run, int32_t origin) {
    FillPixels(row_.data() + (run.x0 - origin), run.x1 - run.x0, run.color);
  }

  // A row wider than the buffer: composed and copied chunk by chunk.
  void CopyInChunks(int32_t y, int32_t from, int32_t to) {
    int k = first_;
    for (int32_t at = from; at < to; at += kChunk) {
      const int32_t end = std::min(to, at + kChunk);
      for (; k < last_ && runs_[k].x0 < end; ++k) {
        Compose({std::max(runs_[k].x0, at), std::min(runs_[k].x1, end), runs_[k].color}, at);
        if (runs_[k].x1 > end) break;  // continues in the next chunk
      }
      gdi::SetDIBitsToDevice(hdc_, at, y, end - at, 1, row_.data());
    }
  }

  // The plain rule for one row: the row as it is, then every band's part over it in order.
  void PaintRowBandByBand(int32_t y) {
    const COLORREF* pixels = target_.pixels + static_cast<int64_t>(y) * target_.width;
    for (int32_t at = 0; at < target_.width; at += kChunk) {
      const int32_t end = std::min(target_.width, at + kChunk);
      std::copy(pixels + at, pixels + end, row_.data());
      for (int i = 0; i < count_; ++i) {
        int x0, x1;
        if (!Span(i, y, &x0, &x1)) continue;
        x0 = std::max(x0, at), x1 = std::min(x1, end);
        if (x0 < x1) Compose({x0, x1, bands_[i].color}, at);
      }
      gdi::SetDIBitsToDevice(hdc_, at, y, end - at, 1, row_.data());
    }
  }

  gdi::HDC hdc_;
  gdi::PixelView target_;
  int count_ = 0;
  std::array<Band, kMaxBands> bands_;
  std::array<bool, kMaxBands> mirrored_;  // top + bottom is the common value
  std::array<bool, kMaxBands> known_;     // spans_ holds the band's span on the row
  std::array<Run, kMaxBands> spans_;
  std::array<Run, 2 * kMaxBands + 1> runs_;
  int first_ = 0, last_ = 0;
  std::array<COLORREF, kChunk> row_;
};

}  // namespace

bool PaintCircleBands(gdi::HDC hdc, const GradientPass& pass) {
  if (pass.Steps > kMaxBands) return false;
  const gdi::PixelView target = gdi::GetPixels(hdc);
  if (!target.pixels || pass.Steps < 1) return true;  // nothing to paint on, or no band
  Painter painter(hdc, target);
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
