// The surface's fast paths against the plain ones kept here: stripe gradients (one row of
// colours copied down), solid fills and rivets without brushes. Each fast path must leave
// exactly the pixels the plain one leaves, on a background whose every pixel differs, so a
// gap a fast path skipped or a pixel it wrote too many shows.
#include <array>
#include <random>
#include <string>

#include "platform/automation/numeric.h"
#include "surface/gdi_guards.h"
#include "surface/gradient_bands.h"
#include "tests/surface/surface_fixture.h"

namespace vg {
namespace {

using FastPathTest = SurfaceTest;

// Every pixel a colour of its own.
void Noise(OffScreenDC& dc) {
  const gdi::PixelView v = gdi::GetPixels(dc.MemDC());
  for (int y = 0; y < v.height; ++y)
    for (int x = 0; x < v.width; ++x)
      gdi::SetPixel(dc.MemDC(), x, y, static_cast<COLORREF>((y * 7919 + x * 104729) & 0xFFFFFF));
}

int Differences(const OffScreenDC& a, const OffScreenDC& b, const std::string& what) {
  const gdi::PixelView va = gdi::GetPixels(a.MemDC()), vb = gdi::GetPixels(b.MemDC());
  int n = 0;
  for (int i = 0; i < va.width * va.height; ++i)
    if (va.pixels[i] != vb.pixels[i] && n++ == 0)
      ADD_FAILURE() << what << ": first difference at " << i % va.width << "," << i / va.width;
  return n;
}

// The stripe band rule as first written: a brush per band, the band's whole rectangle filled
// over the ones before it.
void PaintStripesBandByBand(gdi::HDC hdc, const GradientPass& p) {
  float l = p.BandLeft, t = p.BandTop, r = p.BandRight, b = p.BandBottom;
  for (int i = 0; i < p.Steps; ++i) {
    auto mix = [&](int shift) {
      const int s0 = (p.StartColor >> shift) & 0xFF, e0 = (p.EndColor >> shift) & 0xFF;
      return RoundToInt32(s0 + (e0 - s0) / static_cast<double>(p.Steps) * i);
    };
    const gdi::RECT band{RoundToInt32(l), RoundToInt32(t), RoundToInt32(r), RoundToInt32(b)};
    OwnedObject brush(
        gdi::CreateSolidBrush(static_cast<COLORREF>(mix(0) + 256 * mix(8) + 65536 * mix(16))));
    gdi::FillRect(hdc, &band, brush.get());
    switch (p.Style) {
      case 1:
        l = r, r = r + p.StepX;
        break;
      case 2:
        l = l - p.StepX, r = l + p.StepX;
        break;
      case 3:
        t = b, b = b + p.StepY;
        break;
      default:
        t = t - p.StepY, b = t + p.StepY;
        break;
    }
  }
}

TEST_F(FastPathTest, StripeGradientsLeaveThePixelsOfEveryBandPaintedWhole) {
  // Styles 1..8 (one or two passes of stripes) over rectangles inside the surface, across its
  // edges, turned inside out and far out, in every granularity and colour depth.
  std::mt19937 random(20261209);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const int16_t levels[] = {256, 64, 32};
  for (int round = 0; round < 400; ++round) {
    const int w = pick(1, 320), h = pick(1, 40);
    WideRect inner;
    if (round % 10 == 9) {  // far out: single-precision steps jump by many pixels
      inner.left = pick(-2147483647, -100000000), inner.top = pick(-5, 5);
      inner.right = pick(100, 2147483647), inner.bottom = inner.top + pick(0, 3000);
    } else {
      inner.left = pick(-40, w), inner.top = pick(-20, h);
      inner.right = inner.left + pick(-20, 2 * w), inner.bottom = inner.top + pick(-10, 2 * h);
    }
    const int style = 1 + round % 8;
    const int16_t steps = GradientSteps(levels[pick(0, 2)], pick(0, 5));
    const int32_t from = static_cast<int32_t>(RGB(pick(0, 255), pick(0, 255), pick(0, 255)));
    const int32_t to = static_cast<int32_t>(RGB(pick(0, 255), pick(0, 255), pick(0, 255)));
    GradientPass passes[2];
    const int count = SetupGradientPasses(style, inner, steps, from, to, passes);
    ASSERT_GE(count, 1);
    auto dc = Make(w, h), ref = Make(w, h);
    Noise(*dc);
    Noise(*ref);
    for (int i = 0; i < count; ++i) {
      PaintGradientPass(dc->MemDC(), passes[i]);
      PaintStripesBandByBand(ref->MemDC(), passes[i]);
    }
    ASSERT_EQ(Differences(*dc, *ref, "round " + std::to_string(round)), 0)
        << w << "x" << h << " inner " << inner.left << "," << inner.top << "," << inner.right << ","
        << inner.bottom << " style " << style << " steps " << steps;
  }
}

TEST_F(FastPathTest, APassPaintedAgainCopiesTheRowItComposedBefore) {
  // The same passes again over other pixels and other heights (a kept row), then passes that
  // differ in one value only (no kept row may stand in for them).
  auto pass_for = [](int variant) {
    GradientPass passes[2];
    SetupGradientPasses(6, {3, 1, 203, 9}, 256, static_cast<int32_t>(RGB(255, 255, 255)),
                        static_cast<int32_t>(RGB(20, 40, 200)), passes);
    if (variant == 1) passes[0].StepX += 0.001f;
    if (variant == 2) passes[1].EndColor ^= 1;
    if (variant == 3) passes[0].BandLeft -= 1.0f;
    return std::array<GradientPass, 2>{passes[0], passes[1]};
  };
  for (int variant : {0, 0, 1, 2, 3, 0, 3}) {
    for (int h : {10, 4, 1}) {
      auto dc = Make(210, h), ref = Make(210, h);
      Noise(*dc);
      Noise(*ref);
      for (const GradientPass& p : pass_for(variant)) {
        PaintGradientPass(dc->MemDC(), p);
        PaintStripesBandByBand(ref->MemDC(), p);
      }
      ASSERT_EQ(Differences(*dc, *ref, "variant " + std::to_string(variant)), 0) << h;
    }
  }
  // Another width clips the bands elsewhere.
  for (int w : {150, 210, 60}) {
    auto dc = Make(w, 8), ref = Make(w, 8);
    Noise(*dc);
    Noise(*ref);
    for (const GradientPass& p : pass_for(0)) {
      PaintGradientPass(dc->MemDC(), p);
      PaintStripesBandByBand(ref->MemDC(), p);
    }
    ASSERT_EQ(Differences(*dc, *ref, "width " + std::to_string(w)), 0);
  }
}

TEST_F(FastPathTest, StripesWhoseBandsLeaveAGapKeepWhatEachRowHad) {
  // Right-to-left bands a huge step apart: band 1 ends where 12.6 - 3e7 + 3e7 lands in single
  // precision (12), band 0 starts at round(12.6) = 13, so column 12 is no band's. The fast
  // path cannot copy one row down and must leave every row's own pixel in the gap.
  GradientPass p;
  p.Style = 2;
  p.StartColor = static_cast<int32_t>(RGB(10, 20, 30));
  p.EndColor = static_cast<int32_t>(RGB(200, 100, 0));
  p.Steps = 2;
  p.StepX = 3e7f;
  p.BandLeft = 12.6f;
  p.BandRight = 20.0f;
  p.BandTop = 1.0f;
  p.BandBottom = 9.0f;
  auto dc = Make(30, 10), ref = Make(30, 10);
  Noise(*dc);
  Noise(*ref);
  PaintGradientPass(dc->MemDC(), p);
  PaintStripesBandByBand(ref->MemDC(), p);
  EXPECT_EQ(Differences(*dc, *ref, "gap"), 0);
  EXPECT_EQ(At(*dc, 12, 5), At(*ref, 12, 5));
  EXPECT_NE(At(*dc, 12, 5), At(*dc, 12, 4));  // each row kept its own pixel
  EXPECT_EQ(At(*dc, 13, 5), static_cast<COLORREF>(p.StartColor));
}

TEST_F(FastPathTest, BandColoursRoundEveryChannelValueAsTheGeneralRounding) {
  // Every start and end value of a channel (0..255 both ways) for band counts that give
  // exact halves (2, 8, 256) and long fractions (3, 7, 255), every band, inner and outer
  // styles (the outer ones run from the end colour).
  for (int16_t steps : {1, 2, 3, 7, 8, 32, 255, 256}) {
    for (int from = 0; from < 256; ++from) {
      for (int to = 0; to < 256; to += (steps > 32 ? 15 : 1)) {
        for (int16_t style : {1, 12}) {
          GradientPass p;
          p.Style = style;
          p.StartColor = static_cast<int32_t>(RGB(from, to, 255 - from));
          p.EndColor = static_cast<int32_t>(RGB(to, from, to / 2));
          p.Steps = steps;
          const int32_t a = style == 12 ? p.EndColor : p.StartColor;
          const int32_t b = style == 12 ? p.StartColor : p.EndColor;
          for (int i = 0; i < steps; ++i) {
            auto mix = [&](int shift) {
              const int s0 = (a >> shift) & 0xFF, e0 = (b >> shift) & 0xFF;
              return RoundToInt32(s0 + (e0 - s0) / static_cast<double>(steps) * i);
            };
            const auto expected = static_cast<COLORREF>(mix(0) + 256 * mix(8) + 65536 * mix(16));
            ASSERT_EQ(BandColor(p, i), expected)
                << "steps " << steps << " from " << from << " to " << to << " band " << i;
          }
        }
      }
    }
  }
}

TEST_F(FastPathTest, SolidFillsAndRivetsPaintWhatBrushesPainted) {
  // FillRectangle without a brush object against FillRect with one, the rivets' squares
  // included, over rectangles inside, across the edges and empty; the background colour
  // is left as the brush path left it.
  struct Row {
    int l, t, r, b;
    int16_t rivets, border;
  };
  for (Row row : {Row{0, 0, 60, 30, 0, 0}, Row{3, 2, 50, 25, 1, 1}, Row{-5, -4, 70, 40, 3, 2},
                  Row{10, 5, 10, 20, 2, 0}, Row{20, 20, 5, 5, 4, 3}, Row{0, 0, 16, 16, 3, 0}}) {
    auto dc = Make(60, 30), ref = Make(60, 30);
    Noise(*dc);
    Noise(*ref);
    SetRect(*dc, row.l, row.t, row.r, row.b);
    dc->put_BackgroundColor(static_cast<int32_t>(RGB(40, 80, 120)));
    dc->put_RivetsStyle(row.rivets);
    dc->put_BorderWidth(row.border);
    dc->FillRectangle();

    // The plain path: a solid brush for the rectangle, then the rivets' three squares each.
    const gdi::HDC hdc = ref->MemDC();
    gdi::SetBkColor(hdc, RGB(40, 80, 120));
    {
      OwnedObject brush(gdi::CreateSolidBrush(RGB(40, 80, 120)));
      const gdi::RECT r{row.l, row.t, row.r, row.b};
      gdi::FillRect(hdc, &r, brush.get());
    }
    auto square = [&](int l, int t, int r, int b, COLORREF c) {
      OwnedObject brush(gdi::CreateSolidBrush(c));
      const gdi::RECT rect{l, t, r, b};
      gdi::FillRect(hdc, &rect, brush.get());
    };
    auto rivet = [&](int x, int y) {
      const bool raised = row.rivets == 1 || row.rivets == 3;
      square(x, y, x + 2, y + 2, raised ? RGB(128, 128, 128) : RGB(255, 255, 255));
      square(x - 1, y - 1, x + 1, y + 1, raised ? RGB(255, 255, 255) : RGB(128, 128, 128));
      square(x, y, x + 1, y + 1, RGB(192, 192, 192));
    };
    if (row.rivets != 0) {
      const int in = row.border + 7;
      const int left = row.l + in, top = row.t + in, right = row.r - in, bottom = row.b - in;
      rivet(left, top), rivet(right, top), rivet(left, bottom), rivet(right, bottom);
      if (row.rivets > 2) {
        const int mx = RoundToInt32((row.r - row.l) / 2.0 + (row.l + row.border));
        const int my = RoundToInt32((row.b - row.t) / 2.0 + (row.t + row.border));
        rivet(mx, top), rivet(right, my), rivet(mx, bottom), rivet(left, my);
      }
    }
    EXPECT_EQ(Differences(*dc, *ref, "rivets " + std::to_string(row.rivets)), 0)
        << row.l << "," << row.t << "," << row.r << "," << row.b;
    EXPECT_EQ(gdi::GetBkColor(dc->MemDC()), gdi::GetBkColor(hdc));
    EXPECT_EQ(gdi::GetBkMode(dc->MemDC()), gdi::GetBkMode(hdc));
  }
}

TEST_F(FastPathTest, ABrushStyleOutsideTheHatchesPaintsNothing) {
  auto dc = Make(20, 10), ref = Make(20, 10);
  Noise(*dc);
  Noise(*ref);
  SetRect(*dc, 0, 0, 20, 10);
  dc->put_BrushStyle(7);
  dc->put_RivetsStyle(1);
  dc->FillRectangle();
  EXPECT_EQ(Differences(*dc, *ref, "brush style 7"), 0);
}

}  // namespace
}  // namespace vg
