#include "surface/gradient_bands.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "platform/automation/numeric.h"
#include "platform/gdi/spans.h"
#include "surface/circle_bands.h"
#include "surface/gdi_guards.h"

namespace vg {

int16_t ColorLevelsForDepth(int32_t* depth) {
  switch (*depth) {
    case 4:
    case 8:
      return 64;
    case 15:
      return 32;
    case 16:
    case 24:
    case 32:
      return 256;
    default:
      *depth = 4;
      return 64;
  }
}

int16_t GradientSteps(int16_t color_levels, int32_t granularity) {
  float divisor = 0.0f;
  switch (granularity) {
    case 0:
      divisor = 1.0f;
      break;
    case 1:
      divisor = 4.0f;
      break;
    case 2:
      divisor = 8.0f;
      break;
    case 3:
      divisor = 16.0f;
      break;
    case 4:
      divisor = 32.0f;
      break;
    default:
      break;
  }
  int16_t steps = 0;
  if (divisor != 0.0f)
    steps = static_cast<int16_t>(RoundHalfEven(static_cast<float>(color_levels) / divisor));
  return steps == 0 ? color_levels : steps;
}

int SetupGradientPasses(int32_t style, const WideRect& inner, int16_t steps, int32_t start,
                        int32_t end, GradientPass passes[2]) {
  const float il = static_cast<float>(inner.left), it = static_cast<float>(inner.top);
  const float ir = static_cast<float>(inner.right), ib = static_cast<float>(inner.bottom);
  const float w = std::fabs(static_cast<float>(inner.right - inner.left));
  const float h = std::fabs(static_cast<float>(inner.bottom - inner.top));
  float step_x = w / static_cast<float>(steps);
  float step_y = h / static_cast<float>(steps);

  auto make = [&](int16_t s, float l, float t, float r, float b) {
    GradientPass p;
    p.Style = s;
    p.StartColor = start;
    p.EndColor = end;
    p.Steps = steps;
    p.StepX = step_x;
    p.StepY = step_y;
    p.BandLeft = l;
    p.BandTop = t;
    p.BandRight = r;
    p.BandBottom = b;
    return p;
  };

  switch (style) {
    case 1:
      passes[0] = make(1, il, it, il + step_x, ib);
      return 1;
    case 2:
      passes[0] = make(2, ir - step_x, it, ir, ib);
      return 1;
    case 3:
      passes[0] = make(3, il, it, ir, it + step_y);
      return 1;
    case 4:
      passes[0] = make(4, il, ib - step_y, ir, ib);
      return 1;
    case 5:
      step_x = step_x / 2.0f;
      passes[0] = make(1, il, it, il + step_x, ib);
      passes[1] = make(2, ir - step_x, it, ir, ib);
      return 2;
    case 6: {
      step_x = step_x / 2.0f;
      float half = w / 2.0f;
      passes[0] = make(2, ir - step_x - half, it, ir, ib);
      float mid = il + half;
      passes[1] = make(1, mid, it, mid + step_x, ib);
      return 2;
    }
    case 7:
      step_y = step_y / 2.0f;
      passes[0] = make(3, il, it, ir, it + step_y);
      passes[1] = make(4, il, ib - step_y, ir, ib);
      return 2;
    case 8: {
      step_y = step_y / 2.0f;
      float half = h / 2.0f;
      passes[0] = make(4, il, ib - step_y - half, ir, ib);
      float mid = it + half;
      passes[1] = make(3, il, mid, ir, mid + step_y);
      return 2;
    }
    case 9:
    case 10: {
      // The first circle passes through the four corners of the rectangle.
      float d = static_cast<float>(std::sqrt(static_cast<double>(w * w + h * h)));
      step_x = step_y = d / static_cast<float>(steps) / 2.0f;
      float dx = (d - w) / 2.0f, dy = (d - h) / 2.0f;
      passes[0] = make(static_cast<int16_t>(style), il - dx, it - dy, ir + dx, ib + dy);
      return 1;
    }
    case 11:
    case 12:
      step_x = w / static_cast<float>(steps) / 2.0f;
      step_y = h / static_cast<float>(steps) / 2.0f;
      passes[0] = make(static_cast<int16_t>(style), il, it, ir, ib);
      return 1;
    default:
      return 0;
  }
}

int SetupGradient(int32_t style, int32_t granularity, int16_t color_levels, const WideRect& inner,
                  int32_t start, int32_t end, GradientPass passes[2]) {
  return SetupGradientPasses(style, inner, GradientSteps(color_levels, granularity), start, end,
                             passes);
}

namespace {

int32_t Channel(int32_t color, int shift) {
  return (color >> shift) & 0xFF;
}

// Halves to even into 32 bits, saturating. Band edges within 2^22 of the origin (all that
// can be seen) round by adding and taking away 1.5 x 2^52, as in Ramp; the rest, far-out
// edges, infinities and NaN, go the general way.
[[gnu::always_inline]] inline int32_t Round(float v) {
  constexpr double kMagic = 6755399441055744.0;
  if (v > -4194304.0f && v < 4194304.0f) return static_cast<int32_t>(double{v} + kMagic - kMagic);
  return RoundToInt32(v);
}

}  // namespace

namespace {

// The colours of a pass's bands: each channel stepped linearly from the first colour.
class Ramp {
 public:
  explicit Ramp(const GradientPass& pass) {
    const bool reversed = pass.Style == 10 || pass.Style == 12;
    const int32_t start = reversed ? pass.EndColor : pass.StartColor;
    const int32_t end = reversed ? pass.StartColor : pass.EndColor;
    const double steps = pass.Steps;
    for (int c = 0; c < 3; ++c) {
      start_[c] = Channel(start, 8 * c);
      step_[c] = (Channel(end, 8 * c) - start_[c]) / steps;
    }
  }
  COLORREF operator()(int i) const {
    // start + (end - start) / Steps x i, rounded halves to even. The value lies between two
    // channel values (0..255), where adding and taking away 1.5 x 2^52 leaves exactly that
    // rounding: at that magnitude a double holds no fraction, and the processor rounds the
    // sum to nearest, ties to even. (Never built with -ffast-math, which would fold it.)
    constexpr double kMagic = 6755399441055744.0;
    auto mix = [&](int c) {
      const double sum = start_[c] + step_[c] * i + kMagic;
      return static_cast<int32_t>(sum - kMagic);
    };
    return static_cast<COLORREF>(mix(0) + 256 * mix(1) + 65536 * mix(2));
  }

 private:
  int32_t start_[3];
  double step_[3];
};

// The band rectangles of a pass in painting order: each edge stepped in single precision
// and rounded (halves to even) only when a band is painted.
class BandWalk {
 public:
  explicit BandWalk(const GradientPass& pass)
      : pass_(pass), l_(pass.BandLeft), t_(pass.BandTop), r_(pass.BandRight), b_(pass.BandBottom) {}
  gdi::RECT Band() const { return {Round(l_), Round(t_), Round(r_), Round(b_)}; }
  // The band's left and right edges only (the rows of stripe styles 1 and 2 never move).
  void Columns(int32_t* left, int32_t* right) const { *left = Round(l_), *right = Round(r_); }
  // The band after this one of a shrinking pass (styles 9..12), before Next moves there.
  gdi::RECT Inner() const {
    return {Round(l_ + pass_.StepX), Round(t_ + pass_.StepY), Round(r_ - pass_.StepX),
            Round(b_ - pass_.StepY)};
  }
  void Next() {
    switch (pass_.Style) {
      case 1:
        l_ = r_, r_ = r_ + pass_.StepX;
        break;
      case 2:
        l_ = l_ - pass_.StepX, r_ = l_ + pass_.StepX;
        break;
      case 3:
        t_ = b_, b_ = b_ + pass_.StepY;
        break;
      case 4:
        t_ = t_ - pass_.StepY, b_ = t_ + pass_.StepY;
        break;
      default:
        l_ = l_ + pass_.StepX;
        t_ = t_ + pass_.StepY;
        r_ = r_ - pass_.StepX;
        b_ = b_ - pass_.StepY;
        break;
    }
  }

 private:
  const GradientPass& pass_;
  float l_, t_, r_, b_;
};

// Where bands are painted: straight into the bitmap's pixels, or through the device where it
// gives no pixels to write (a window in the screen's layout).
struct Target {
  gdi::HDC hdc;
  gdi::WritablePixels px;
};

// `rect` clipped to the pixels; false when nothing of it is left.
bool Clip(const gdi::WritablePixels& px, gdi::RECT* rect) {
  rect->left = std::max(rect->left, 0);
  rect->top = std::max(rect->top, 0);
  rect->right = std::min(rect->right, px.width);
  rect->bottom = std::min(rect->bottom, px.height);
  return rect->left < rect->right && rect->top < rect->bottom;
}

// Fills `rect` in one colour, as FillRect with a solid brush would.
void Fill(const Target& target, gdi::RECT rect, COLORREF color) {
  if (!target.px.pixels) {
    gdi::FillSolidRect(target.hdc, &rect, color);
    return;
  }
  const gdi::WritablePixels& px = target.px;
  if (!Clip(px, &rect)) return;
  gdi::FillRows(px.pixels + static_cast<ptrdiff_t>(rect.top) * px.width + rect.left, px.width,
                rect.bottom - rect.top, rect.right - rect.left, px.Stored(color));
}

// Fills `rect` less what of `next` lies inside it: up to four strips (with far-out edges,
// single-precision steps can move an inner band's edge past the outer one's).
void FillRing(const Target& px, const gdi::RECT& rect, const gdi::RECT& next, COLORREF color) {
  const gdi::RECT hole{std::max(next.left, rect.left), std::max(next.top, rect.top),
                       std::min(next.right, rect.right), std::min(next.bottom, rect.bottom)};
  if (hole.right <= hole.left || hole.bottom <= hole.top) return Fill(px, rect, color);
  Fill(px, {rect.left, rect.top, rect.right, hole.top}, color);        // above the hole
  Fill(px, {rect.left, hole.bottom, rect.right, rect.bottom}, color);  // below it
  Fill(px, {rect.left, hole.top, hole.left, hole.bottom}, color);      // left of it
  Fill(px, {hole.right, hole.top, rect.right, hole.bottom}, color);    // right of it
}

constexpr int kMaxColumnBands = 256;  // the most colour levels a display gives

bool SamePass(const GradientPass& a, const GradientPass& b) {
  return a.Style == b.Style && a.StartColor == b.StartColor && a.EndColor == b.EndColor &&
         a.Steps == b.Steps && a.StepX == b.StepX && a.StepY == b.StepY &&
         a.BandLeft == b.BandLeft && a.BandTop == b.BandTop && a.BandRight == b.BandRight &&
         a.BandBottom == b.BandBottom;
}

// The rows of colours that column passes composed lately, with what they were composed from.
// Columns c0..c1-1 of such a row depend only on the pass and the bitmap's width (every one of
// them is some band's, and the last band covering it decides), so a pass painted again the
// same way (the next render pass of an unchanged control, the next of many alike blocks)
// copies its row instead of composing it band by band. A few rows per thread; their storage
// grows to the widest row once and is then reused, so painting allocates nothing.
class ColumnRows {
 public:
  struct Row {
    GradientPass pass;
    int width = -1;
    bool screen_layout = false;  // the layout the colours are kept in
    int32_t c0 = 0, c1 = 0;
    std::vector<COLORREF> colors;  // columns c0..c1-1
  };

  const Row* Find(const GradientPass& pass, const gdi::WritablePixels& px) const {
    for (const Row& r : rows_)
      if (r.width == px.width && r.screen_layout == px.screen_layout && SamePass(r.pass, pass))
        return &r;
    return nullptr;
  }

  // Keeps columns c0..c1-1 of `pixels` (a row) as the row of `pass` over `width`.
  void Keep(const GradientPass& pass, const gdi::WritablePixels& px, int32_t c0, int32_t c1,
            const COLORREF* pixels) {
    Row& r = rows_[next_];
    next_ = (next_ + 1) % rows_.size();
    r.width = -1;  // unusable until complete
    try {
      r.colors.assign(pixels + c0, pixels + c1);
    } catch (const std::bad_alloc&) {
      return;  // not kept: the next pass composes its row again
    }
    r.pass = pass, r.width = px.width, r.screen_layout = px.screen_layout, r.c0 = c0, r.c1 = c1;
  }

 private:
  std::array<Row, 4> rows_;
  size_t next_ = 0;
};

ColumnRows& KeptColumnRows() {
  thread_local ColumnRows rows;
  return rows;
}

// Copies columns c0..c1-1 of row `top` to rows top + 1..bottom - 1.
void CopyRowDown(const gdi::WritablePixels& px, int32_t top, int32_t bottom, int32_t c0,
                 int32_t c1) {
  const COLORREF* row = px.pixels + static_cast<ptrdiff_t>(top) * px.width + c0;
  const size_t bytes = static_cast<size_t>(c1 - c0) * sizeof(COLORREF);
  for (int32_t y = top + 1; y < bottom; ++y)
    std::memcpy(px.pixels + static_cast<ptrdiff_t>(y) * px.width + c0, row, bytes);
}

// Styles 1 and 2: every band spans the same rows. The bands are painted on the first of those
// rows, in order (a later band covers an earlier one where they overlap, as band by band),
// and the part of the row they cover is copied to the others: one row of colours instead of
// one fill per band. False, having painted nothing, when the pass has more bands than kept
// room for or the bands on the row do not make one interval (a gap keeps what each row had).
bool PaintColumns(const gdi::WritablePixels& px, const GradientPass& pass, const Ramp& ramp) {
  if (pass.Steps > kMaxColumnBands) return false;
  struct Span {
    int32_t x0, x1;
  };
  BandWalk walk(pass);
  const gdi::RECT first = walk.Band();
  const int32_t top = std::max(first.top, 0), bottom = std::min(first.bottom, px.height);
  ColumnRows& kept = KeptColumnRows();
  if (const ColumnRows::Row* r = kept.Find(pass, px)) {
    if (top < bottom) {
      std::memcpy(px.pixels + static_cast<ptrdiff_t>(top) * px.width + r->c0, r->colors.data(),
                  r->colors.size() * sizeof(COLORREF));
      CopyRowDown(px, top, bottom, r->c0, r->c1);
    }
    return true;
  }
  Span spans[kMaxColumnBands];
  int32_t c0 = 0, c1 = 0;  // the covered part of the row
  for (int i = 0; i < pass.Steps; ++i, walk.Next()) {
    int32_t left, right;
    walk.Columns(&left, &right);
    Span& s = spans[i];
    s = {std::max(left, 0), std::min(right, px.width)};
    if (s.x0 >= s.x1) continue;
    if (c0 == c1)
      c0 = s.x0, c1 = s.x1;
    else if (s.x1 < c0 || s.x0 > c1)
      return false;
    else
      c0 = std::min(c0, s.x0), c1 = std::max(c1, s.x1);
  }
  if (top >= bottom || c0 == c1) return true;  // no band shows
  COLORREF* row = px.pixels + static_cast<ptrdiff_t>(top) * px.width;
  for (int i = 0; i < pass.Steps; ++i)
    if (spans[i].x0 < spans[i].x1)
      gdi::FillPixels(row + spans[i].x0, spans[i].x1 - spans[i].x0, px.Stored(ramp(i)));
  kept.Keep(pass, px, c0, c1, row);
  CopyRowDown(px, top, bottom, c0, c1);
  return true;
}

}  // namespace

COLORREF BandColor(const GradientPass& pass, int i) {
  return Ramp(pass)(i);
}

void PaintGradientPass(gdi::HDC hdc, const GradientPass& pass) {
  if ((pass.Style == 9 || pass.Style == 10) && PaintCircleBands(hdc, pass)) return;
  const Ramp ramp(pass);
  const Target px{hdc, gdi::GetWritablePixels(hdc)};
  if ((pass.Style == 1 || pass.Style == 2) && px.px.pixels && PaintColumns(px.px, pass, ramp))
    return;
  BandWalk walk(pass);
  for (int i = 0; i < pass.Steps; ++i, walk.Next()) {
    const gdi::RECT band = walk.Band();
    switch (pass.Style) {
      case 9:
      case 10:
        FillShape(hdc, true, band, ramp(i));
        break;
      case 11:
      case 12:
        // The next band lies inside this one (each edge only moves inward) and is painted
        // over it, so only the ring between them can still show: painting just that ring
        // leaves the same pixels and writes each one once.
        FillRing(px, band, i + 1 < pass.Steps ? walk.Inner() : gdi::RECT{}, ramp(i));
        break;
      default:
        Fill(px, band, ramp(i));
        break;
    }
  }
  // A band painted as a shape leaves the background colour set to its colour.
  if (pass.Style >= 11 && pass.Style <= 12 && pass.Steps > 0)
    gdi::SetBkColor(hdc, ramp(pass.Steps - 1));
}

bool KeptGradientCover(gdi::HDC hdc, const GradientPass passes[], int count, gdi::RECT* cover) {
  const gdi::WritablePixels px = gdi::GetWritablePixels(hdc);
  if (!px.pixels || count < 1) return false;
  gdi::RECT all{0, 0, 0, 0};
  for (int i = 0; i < count; ++i) {
    const GradientPass& pass = passes[i];
    if (pass.Style != 1 && pass.Style != 2) return false;
    // A kept row is what painting the pass copies to its rows, whether it finds the row still
    // kept or composes it again.
    const ColumnRows::Row* row = KeptColumnRows().Find(pass, px);
    if (!row) return false;
    const gdi::RECT first = BandWalk(pass).Band();
    const gdi::RECT part{row->c0, std::max(first.top, 0), row->c1,
                         std::min(first.bottom, px.height)};
    if (part.left >= part.right || part.top >= part.bottom) return false;
    if (i == 0) {
      all = part;
    } else {
      if (part.top != all.top || part.bottom != all.bottom || part.right < all.left ||
          part.left > all.right)
        return false;  // the two passes do not make one rectangle
      all.left = std::min(all.left, part.left);
      all.right = std::max(all.right, part.right);
    }
  }
  *cover = all;
  return true;
}

void FillSolidAround(gdi::HDC hdc, const gdi::RECT& rect, const gdi::RECT& hole, COLORREF color) {
  FillRing({hdc, gdi::GetWritablePixels(hdc)}, rect, hole, color);
}

namespace {

// Fills `rect` less `hole` with the selected brush: up to four strips. Only the part of the
// hole inside the rectangle counts (with far-out edges, single-precision steps can move an
// inner band's edge past the outer one's).
void FillRing(gdi::HDC hdc, const gdi::RECT& rect, const gdi::RECT& next, gdi::HBRUSH brush) {
  const gdi::RECT hole{std::max(next.left, rect.left), std::max(next.top, rect.top),
                       std::min(next.right, rect.right), std::min(next.bottom, rect.bottom)};
  if (hole.right <= hole.left || hole.bottom <= hole.top) {
    gdi::FillRect(hdc, &rect, brush);
    return;
  }
  const gdi::RECT strips[4] = {
      {rect.left, rect.top, rect.right, hole.top},        // above the hole
      {rect.left, hole.bottom, rect.right, rect.bottom},  // below it
      {rect.left, hole.top, hole.left, hole.bottom},      // left of it
      {hole.right, hole.top, rect.right, hole.bottom},    // right of it
  };
  for (const gdi::RECT& strip : strips) gdi::FillRect(hdc, &strip, brush);
}

}  // namespace

void FillShape(gdi::HDC hdc, bool is_ellipse, const gdi::RECT& rect, COLORREF color,
               const gdi::RECT* hole) {
  OwnedObject brush(gdi::CreateSolidBrush(color));
  OwnedObject pen(gdi::CreatePen(gdi::PS_NULL, 0, color));
  if (!pen) return;
  Selection pen_in(hdc, pen.get());
  if (!pen_in || !brush) return;
  BkModeScope opaque(hdc, gdi::OPAQUE);
  gdi::SetBkColor(hdc, color);
  Selection brush_in(hdc, brush.get());
  if (!brush_in) return;
  if (is_ellipse)
    gdi::Ellipse(hdc, rect.left, rect.top, rect.right, rect.bottom);
  else if (hole)
    FillRing(hdc, rect, *hole, brush.get());
  else
    gdi::FillRect(hdc, &rect, brush.get());
}

}  // namespace vg
