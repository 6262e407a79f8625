// The bands of a circle gradient share their centre and shrink band by band, so on each row
// the later bands cover a middle part that only grows as the bands go outward. Working from
// the last band to the first, each band adds what it covers left and right of that part:
// the row becomes a sequence of runs, each in the colour of the last band covering it. The
// runs are written straight into the bitmap's row, so each pixel is written once however
// many bands cover it, and no frame is copied.
#include "surface/circle_bands.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "platform/automation/numeric.h"
#include "platform/gdi/ellipse_span.h"
#include "platform/gdi/spans.h"

namespace vg {
namespace {

constexpr int kMaxBands = 256;  // the most colour levels a display gives

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

class Painter {
 public:
  explicit Painter(const gdi::WritablePixels& target) : target_(target) {}

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

  // Paints row y straight into the bitmap's row: from the last band to the first, each band
  // adds the runs it covers left and right of the part the later bands covered, each pixel
  // written once. Where the later bands' parts of the row do not form one interval (possible
  // only with far-out edges, where single-precision steps jump by many pixels) the row is
  // painted by the plain rule instead, which covers every pixel written so far again.
  void PaintRow(int32_t y, bool mirror) {
    COLORREF* row = target_.pixels + static_cast<ptrdiff_t>(y) * target_.width;
    bool any = false;
    int c0 = 0, c1 = 0;  // the covered part, c0..c1-1
    for (int i = count_ - 1; i >= 0; --i) {
      int x0, x1;
      if (!KnownSpan(i, y, mirror, &x0, &x1)) continue;
      const COLORREF color = bands_[i].color;
      if (!any) {
        gdi::FillPixels(row + x0, x1 - x0, color);
        c0 = x0, c1 = x1, any = true;
      } else if (x1 < c0 || x0 > c1) {
        PaintRowBandByBand(row, y);
        return;
      } else {
        if (x0 < c0) gdi::FillPixels(row + x0, c0 - x0, color), c0 = x0;
        if (x1 > c1) gdi::FillPixels(row + c1, x1 - c1, color), c1 = x1;
      }
      if (c0 == 0 && c1 == target_.width) break;  // the outer bands cannot show on this row
    }
  }

  // The plain rule: every band's part of the row over the one before, in order.
  void PaintRowBandByBand(COLORREF* row, int32_t y) {
    for (int i = 0; i < count_; ++i) {
      int x0, x1;
      if (Span(i, y, &x0, &x1)) gdi::FillPixels(row + x0, x1 - x0, bands_[i].color);
    }
  }

  gdi::WritablePixels target_;
  int count_ = 0;
  std::array<Band, kMaxBands> bands_;
  std::array<bool, kMaxBands> mirrored_;  // top + bottom is the common value
  std::array<bool, kMaxBands> known_;     // spans_ holds the band's span on the row
  std::array<Run, kMaxBands> spans_;
};

}  // namespace

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
