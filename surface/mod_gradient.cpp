#include "surface/mod_gradient.h"

#include <algorithm>
#include <cmath>

#include "platform/automation/numeric.h"
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

int32_t Round(float v) {
  return RoundToInt32(v);
}

}  // namespace

namespace {

// The colours of a pass's bands: each channel stepped linearly from the first colour.
class Ramp {
 public:
  explicit Ramp(const GradientPass& pass) : steps_(pass.Steps) {
    const bool reversed = pass.Style == 10 || pass.Style == 12;
    const int32_t start = reversed ? pass.EndColor : pass.StartColor;
    const int32_t end = reversed ? pass.StartColor : pass.EndColor;
    for (int c = 0; c < 3; ++c) start_[c] = Channel(start, 8 * c), end_[c] = Channel(end, 8 * c);
  }
  COLORREF operator()(int i) const {
    // The value lies between two channel values, so plain rounding needs no range checks.
    auto mix = [&](int c) {
      return static_cast<int32_t>(RoundHalfEven(start_[c] + (end_[c] - start_[c]) / steps_ * i));
    };
    return static_cast<COLORREF>(mix(0) + 256 * mix(1) + 65536 * mix(2));
  }

 private:
  double steps_;
  int32_t start_[3], end_[3];
};

}  // namespace

COLORREF BandColor(const GradientPass& pass, int i) {
  return Ramp(pass)(i);
}

void PaintGradientPass(gdi::HDC hdc, const GradientPass& pass) {
  if ((pass.Style == 9 || pass.Style == 10) && PaintCircleBands(hdc, pass)) return;
  const Ramp ramp(pass);
  float l = pass.BandLeft, t = pass.BandTop, r = pass.BandRight, b = pass.BandBottom;
  for (int i = 0; i < pass.Steps; ++i) {
    gdi::RECT band{Round(l), Round(t), Round(r), Round(b)};
    const COLORREF color = ramp(i);
    switch (pass.Style) {
      case 9:
      case 10:
        FillShape(hdc, true, band, color);
        break;
      case 11:
      case 12: {
        // The next band lies inside this one (each edge only moves inward) and is painted
        // over it, so only the ring between them can still show: painting just that ring
        // leaves the same pixels and writes each one once.
        gdi::RECT next{};
        if (i + 1 < pass.Steps)
          next = {Round(l + pass.StepX), Round(t + pass.StepY), Round(r - pass.StepX),
                  Round(b - pass.StepY)};
        FillShape(hdc, false, band, color, &next);
        break;
      }
      default: {
        OwnedObject brush(gdi::CreateSolidBrush(color));
        if (brush) gdi::FillRect(hdc, &band, brush.get());
        break;
      }
    }
    switch (pass.Style) {
      case 1:
        l = r, r = r + pass.StepX;
        break;
      case 2:
        l = l - pass.StepX, r = l + pass.StepX;
        break;
      case 3:
        t = b, b = b + pass.StepY;
        break;
      case 4:
        t = t - pass.StepY, b = t + pass.StepY;
        break;
      default:
        l = l + pass.StepX;
        t = t + pass.StepY;
        r = r - pass.StepX;
        b = b - pass.StepY;
        break;
    }
  }
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
