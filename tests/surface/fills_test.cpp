// Solid, hatched and gradient fills of the surface, with expectations computed from the
// band rule: band i of n spans round(start + step x i) to round(start + step x (i + 1)) and
// each channel is round(start + (end - start) / n x i), halves to even.
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "platform/automation/numeric.h"
#include "surface/circle_bands.h"
#include "surface/gradient_bands.h"
#include "tests/surface/surface_fixture.h"

namespace vg {
namespace {

using FillTest = SurfaceTest;

constexpr COLORREF kMarker = RGB(1, 2, 3);

// Expected colour of each column of a left-to-right stripe gradient from 0 to 255 grey.
std::vector<COLORREF> StripeColumns(int width, int bands) {
  std::vector<COLORREF> columns(width, kMarker);
  float step = static_cast<float>(width) / static_cast<float>(bands);
  float l = 0.0f, r = step;
  for (int i = 0; i < bands; ++i) {
    int level = RoundToInt32(255.0 / bands * i);
    for (int x = RoundToInt32(l); x < RoundToInt32(r); ++x)
      if (x >= 0 && x < width) columns[x] = RGB(level, level, level);
    l = r;
    r = r + step;
  }
  return columns;
}

void Gradient(OffScreenDC& dc, int style, int granularity, COLORREF from, COLORREF to) {
  dc.put_GradientStyle(style);
  dc.put_GradientGranularity(granularity);
  dc.put_GradientColor(static_cast<int32_t>(from));
  dc.put_GradientColorEnd(static_cast<int32_t>(to));
  dc.FillRectangle();
}

TEST(GradientSteps, FollowColourLevelsAndGranularity) {
  struct Row {
    int16_t levels;
    int16_t steps[5];
  };
  for (Row row :
       {Row{256, {256, 64, 32, 16, 8}}, Row{32, {32, 8, 4, 2, 1}}, Row{64, {64, 16, 8, 4, 2}}}) {
    for (int g = 0; g < 5; ++g) EXPECT_EQ(GradientSteps(row.levels, g), row.steps[g]);
    EXPECT_EQ(GradientSteps(row.levels, 7), row.levels);
    EXPECT_EQ(GradientSteps(row.levels, -1), row.levels);
  }
}

TEST_F(FillTest, TheBandExampleAtDefaultGranularity) {
  auto dc = Make(100, 20);
  Fill(*dc, 0, 0, 100, 20, kMarker);
  Gradient(*dc, 1, 0, RGB(0, 0, 0), RGB(255, 255, 255));
  std::vector<COLORREF> expected = StripeColumns(100, 256);
  for (int x = 0; x < 100; ++x) {
    EXPECT_EQ(At(*dc, x, 0), expected[x]) << x;
    EXPECT_EQ(At(*dc, x, 19), expected[x]) << x;
  }
  // The last band (level 254) starts and ends at round(99.609375) = 100: it paints nothing.
  EXPECT_EQ(At(*dc, 99, 10), Grey(253));
}

TEST_F(FillTest, VeryLowGranularityRoundsTheHalfLevelToEven) {
  auto dc = Make(100, 20);
  SetRect(*dc, 0, 0, 100, 20);
  Gradient(*dc, 1, 4, RGB(0, 0, 0), RGB(255, 255, 255));
  const int levels[8] = {0, 32, 64, 96, 128, 159, 191, 223};
  const int edges[9] = {0, 12, 25, 38, 50, 62, 75, 88, 100};  // 12.5, 37.5 ... to even
  for (int band = 0; band < 8; ++band)
    for (int x = edges[band]; x < edges[band + 1]; ++x)
      EXPECT_EQ(At(*dc, x, 5), Grey(levels[band])) << x;
}

TEST_F(FillTest, StripesRunInEachDirection) {
  auto dc = Make(100, 20);
  SetRect(*dc, 0, 0, 100, 20);
  // Right to left: mirror image of left to right.
  Gradient(*dc, 2, 4, RGB(0, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(At(*dc, 99, 5), Grey(0));
  EXPECT_EQ(At(*dc, 0, 5), Grey(223));
  // Top to bottom and bottom to top, over 16 rows with 8 bands of 2.
  SetRect(*dc, 0, 0, 100, 16);
  Gradient(*dc, 3, 4, RGB(0, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(At(*dc, 50, 0), Grey(0));
  EXPECT_EQ(At(*dc, 50, 2), Grey(32));
  EXPECT_EQ(At(*dc, 50, 15), Grey(223));
  Gradient(*dc, 4, 4, RGB(0, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(At(*dc, 50, 15), Grey(0));
  EXPECT_EQ(At(*dc, 50, 0), Grey(223));
}

TEST_F(FillTest, InnerStylesMeetInTheMiddleOnAnEightBitDisplay) {
  gdi::SetDeviceDepth(window_, 8, 1);
  auto dc = Make(128, 10);
  ASSERT_EQ(dc->ColorLevels(), 64);
  SetRect(*dc, 0, 0, 128, 10);
  Gradient(*dc, 5, 0, RGB(0, 0, 0), RGB(255, 255, 255));
  // 64 bands a side, each 1/128 of the width: one pixel.
  for (int x = 0; x < 64; ++x) {
    int level = RoundToInt32(255.0 / 64 * x);
    EXPECT_EQ(At(*dc, x, 3), Grey(level)) << x;
    EXPECT_EQ(At(*dc, 127 - x, 3), Grey(level)) << x;
  }
}

TEST_F(FillTest, OuterStylesStartInTheMiddle) {
  auto dc = Make(64, 64);
  SetRect(*dc, 0, 0, 64, 64);
  Gradient(*dc, 6, 2, RGB(0, 0, 0), RGB(255, 255, 255));  // 32 bands a side of 1 pixel
  for (int k = 0; k < 32; ++k) {
    int level = RoundToInt32(255.0 / 32 * k);
    EXPECT_EQ(At(*dc, 32 + k, 7), Grey(level)) << k;
    EXPECT_EQ(At(*dc, 31 - k, 7), Grey(level)) << k;
  }
  Gradient(*dc, 8, 2, RGB(0, 0, 0), RGB(255, 255, 255));
  for (int k = 0; k < 32; ++k) {
    int level = RoundToInt32(255.0 / 32 * k);
    EXPECT_EQ(At(*dc, 7, 32 + k), Grey(level)) << k;
    EXPECT_EQ(At(*dc, 7, 31 - k), Grey(level)) << k;
  }
}

TEST_F(FillTest, RectangleStylesPutTheirColoursAtEdgeAndCentre) {
  auto dc = Make(100, 100);
  SetRect(*dc, 0, 0, 100, 100);
  const COLORREF start = RGB(255, 255, 255), end = RGB(0, 0, 0);
  // Each side moves in by 100 / 256 / 2 = 0.1953125 per band. The corner pixel is last
  // covered by band 2 (band 3's edge rounds to 1); the centre pixel (50, 50) by band 253
  // (bands 254 and 255 round to empty rectangles).
  Gradient(*dc, 12, 0, start, end);  // outer: from the end colour outside to the start inside
  EXPECT_EQ(At(*dc, 0, 0), Grey(RoundToInt32(255.0 / 256 * 2)));
  EXPECT_EQ(At(*dc, 99, 99), Grey(RoundToInt32(255.0 / 256 * 2)));
  EXPECT_EQ(At(*dc, 50, 50), Grey(RoundToInt32(255.0 / 256 * 253)));
  Gradient(*dc, 11, 0, start, end);  // inner: the reverse
  EXPECT_EQ(At(*dc, 0, 0), Grey(RoundToInt32(255 - 255.0 / 256 * 2)));
  EXPECT_EQ(At(*dc, 50, 50), Grey(RoundToInt32(255 - 255.0 / 256 * 253)));
}

// The band rule as written: every band's whole shape, each over the one before.
void PaintBandByBand(gdi::HDC hdc, const GradientPass& p) {
  const bool outer = p.Style == 10 || p.Style == 12;
  const int32_t from = outer ? p.EndColor : p.StartColor, to = outer ? p.StartColor : p.EndColor;
  float l = p.BandLeft, t = p.BandTop, r = p.BandRight, b = p.BandBottom;
  for (int i = 0; i < p.Steps; ++i) {
    auto mix = [&](int shift) {
      int s0 = (from >> shift) & 0xFF, e0 = (to >> shift) & 0xFF;
      return RoundToInt32(s0 + (e0 - s0) / static_cast<double>(p.Steps) * i);
    };
    FillShape(hdc, p.Style <= 10,
              {RoundToInt32(l), RoundToInt32(t), RoundToInt32(r), RoundToInt32(b)},
              static_cast<COLORREF>(mix(0) + 256 * mix(8) + 65536 * mix(16)));
    l = l + p.StepX, t = t + p.StepY, r = r - p.StepX, b = b - p.StepY;
  }
}

// The number of pixels where two surfaces differ; the first difference is reported.
int Differences(const OffScreenDC& a, const OffScreenDC& b, const std::string& what) {
  gdi::PixelView va = gdi::GetPixels(a.MemDC()), vb = gdi::GetPixels(b.MemDC());
  int n = 0;
  for (int i = 0; i < va.width * va.height; ++i)
    if (va.pixels[i] != vb.pixels[i] && n++ == 0)
      ADD_FAILURE() << what << ": first difference at " << i % va.width << "," << i / va.width;
  return n;
}

TEST_F(FillTest, RectangleStylesLeaveThePixelsOfEveryBandPaintedWhole) {
  // The surface may paint less than every band whole but must leave the same pixels.
  for (auto [w, h] : {std::pair{100, 100}, {37, 91}, {300, 25}, {3, 2}}) {
    for (int style : {11, 12}) {
      for (int granularity : {0, 2, 4}) {
        auto dc = Make(w, h);
        SetRect(*dc, 0, 0, w, h);
        Gradient(*dc, style, granularity, RGB(250, 10, 90), RGB(5, 200, 30));
        auto ref = Make(w, h);
        GradientPass passes[2];
        ASSERT_EQ(SetupGradientPasses(style, {0, 0, w, h}, GradientSteps(256, granularity),
                                      RGB(250, 10, 90), RGB(5, 200, 30), passes),
                  1);
        PaintBandByBand(ref->MemDC(), passes[0]);
        EXPECT_EQ(Differences(*dc, *ref, std::to_string(w) + "x" + std::to_string(h)), 0)
            << "style " << style << " granularity " << granularity;
      }
    }
  }
}

TEST_F(FillTest, CircleStylesLeaveThePixelsOfEveryBandPaintedWhole) {
  // Random surfaces, rectangles (inside, overlapping the edges, far out, turned inside out),
  // colour levels and granularities; each pixel is written once but must end as the band
  // rule leaves it.
  std::mt19937 random(20261208);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const int16_t levels[] = {256, 64, 32};
  for (int round = 0; round < 600; ++round) {
    // The first half works the bands' spans out four at a time, the second one at a time.
    UseWideCircleSpans(round < 300);
    // Every tenth surface is wider than the painter's row buffer.
    const int w = round % 10 == 4 ? pick(2049, 5000) : pick(1, 160);
    const int h = round % 10 == 4 ? pick(1, 6) : pick(1, 90);
    WideRect inner;
    if (round % 10 == 9) {  // far out: single-precision steps jump by many pixels
      inner.left = pick(-2147483647, -100000000), inner.top = pick(-5, 5);
      inner.right = pick(100, 2147483647), inner.bottom = inner.top + pick(0, 3000);
    } else {
      inner.left = pick(-60, w), inner.top = pick(-60, h);
      inner.right = inner.left + pick(-30, 2 * w), inner.bottom = inner.top + pick(-30, 2 * h);
    }
    const int style = 9 + round % 2;
    const int16_t steps = GradientSteps(levels[pick(0, 2)], pick(0, 5));
    const COLORREF from = RGB(pick(0, 255), pick(0, 255), pick(0, 255));
    const COLORREF to = RGB(pick(0, 255), pick(0, 255), pick(0, 255));
    GradientPass passes[2];
    ASSERT_EQ(SetupGradientPasses(style, inner, steps, static_cast<int32_t>(from),
                                  static_cast<int32_t>(to), passes),
              1);
    auto dc = Make(w, h), ref = Make(w, h);
    Fill(*dc, 0, 0, w, h, kMarker);
    Fill(*ref, 0, 0, w, h, kMarker);
    PaintGradientPass(dc->MemDC(), passes[0]);
    PaintBandByBand(ref->MemDC(), passes[0]);
    ASSERT_EQ(Differences(*dc, *ref, "round " + std::to_string(round)), 0)
        << w << "x" << h << " inner " << inner.left << "," << inner.top << "," << inner.right << ","
        << inner.bottom << " style " << style << " steps " << steps;
  }
  UseWideCircleSpans(true);
}

TEST_F(FillTest, TheFirstCirclePassesThroughTheCorners) {
  auto dc = Make(200, 150);
  Fill(*dc, 0, 0, 200, 150, kMarker);
  SetRect(*dc, 100, 50, 140, 80);
  Gradient(*dc, 9, 0, RGB(255, 0, 0), RGB(0, 0, 255));
  // Diameter 50 round the centre (120, 65): box (95, 40)-(145, 90).
  EXPECT_EQ(At(*dc, 94, 65), kMarker);
  EXPECT_NE(At(*dc, 95, 65), kMarker);
  EXPECT_NE(At(*dc, 144, 65), kMarker);
  EXPECT_EQ(At(*dc, 145, 65), kMarker);
  EXPECT_EQ(At(*dc, 120, 39), kMarker);
  EXPECT_NE(At(*dc, 120, 40), kMarker);
  EXPECT_NE(At(*dc, 120, 89), kMarker);
  EXPECT_EQ(At(*dc, 120, 90), kMarker);
  // Each side moves in by 50 / 256 / 2 = 0.09765625 a band: the left edge rounds to 95 up
  // to band 5, so band 5 is the last to cover (95, 65).
  EXPECT_EQ(At(*dc, 95, 65),
            RGB(RoundToInt32(255 - 255.0 / 256 * 5), 0, RoundToInt32(255.0 / 256 * 5)));
}

TEST_F(FillTest, AGradientLeavesTheBorderStripAndHidesTheHatch) {
  auto dc = Make(40, 20);
  Fill(*dc, 0, 0, 40, 20, kMarker);
  dc->put_BorderWidth(2);
  dc->put_BrushStyle(5);
  dc->put_BrushColor(static_cast<int32_t>(RGB(255, 0, 0)));
  SetRect(*dc, 0, 0, 40, 20);
  Gradient(*dc, 1, 4, RGB(0, 0, 0), RGB(0, 0, 0));
  for (int x = 0; x < 40; ++x) {
    EXPECT_EQ(At(*dc, x, 0), kMarker);
    EXPECT_EQ(At(*dc, x, 1), kMarker);
    EXPECT_EQ(At(*dc, x, 18), kMarker);
  }
  EXPECT_EQ(At(*dc, 1, 10), kMarker);
  EXPECT_EQ(At(*dc, 38, 10), kMarker);
  for (int x = 2; x < 38; ++x) EXPECT_EQ(At(*dc, x, 4), RGB(0, 0, 0)) << x;  // no hatch line
}

TEST_F(FillTest, UnknownStylesAndGranularities) {
  auto dc = Make(60, 40);
  Fill(*dc, 0, 0, 60, 40, kMarker);
  dc->put_RivetsStyle(1);
  SetRect(*dc, 0, 0, 60, 40);
  Gradient(*dc, 13, 0, RGB(255, 0, 0), RGB(0, 0, 255));  // nothing painted, rivets drawn
  EXPECT_EQ(At(*dc, 30, 20), kMarker);
  EXPECT_EQ(At(*dc, 7, 7), RGB(192, 192, 192));
  dc->put_RivetsStyle(0);

  auto reference = Make(60, 40);
  SetRect(*reference, 0, 0, 60, 40);
  Gradient(*reference, 1, 0, RGB(255, 0, 0), RGB(0, 0, 255));
  Gradient(*dc, 1, 7, RGB(255, 0, 0), RGB(0, 0, 255));  // granularity 7: as the default
  for (int x = 0; x < 60; ++x) EXPECT_EQ(At(*dc, x, 20), At(*reference, x, 20)) << x;
}

TEST_F(FillTest, FifteenBitDisplaysUseThirtyTwoLevels) {
  gdi::SetDeviceDepth(window_, 15, 1);
  auto dc = Make(64, 4);
  SetRect(*dc, 0, 0, 64, 4);
  Gradient(*dc, 1, 0, RGB(0, 0, 0), RGB(255, 255, 255));  // 32 bands of 2 pixels
  for (int x = 0; x < 64; ++x)
    EXPECT_EQ(At(*dc, x, 1), Grey(RoundToInt32(255.0 / 32 * (x / 2)))) << x;
  Gradient(*dc, 1, 4, RGB(10, 20, 30), RGB(255, 255, 255));  // very low: one band
  for (int x = 0; x < 64; ++x) EXPECT_EQ(At(*dc, x, 1), RGB(10, 20, 30)) << x;
}

TEST_F(FillTest, ChannelsStepIndependently) {
  auto dc = Make(8, 2);
  SetRect(*dc, 0, 0, 8, 2);
  gdi::SetDeviceDepth(window_, 8, 1);                       // (affects only surfaces made later)
  Gradient(*dc, 1, 4, RGB(200, 0, 100), RGB(0, 100, 200));  // 8 bands of 1 pixel
  for (int x = 0; x < 8; ++x) {
    COLORREF expected = RGB(static_cast<uint8_t>(RoundToInt32(200 - 200.0 / 8 * x)),
                            static_cast<uint8_t>(RoundToInt32(100.0 / 8 * x)),
                            static_cast<uint8_t>(RoundToInt32(100 + 100.0 / 8 * x)));
    EXPECT_EQ(At(*dc, x, 0), expected) << x;
  }
}

TEST_F(FillTest, CrossHatchIsRedOnWhite) {
  auto dc = Make(16, 16);
  dc->put_BrushStyle(5);  // vgCross
  dc->put_BrushColor(static_cast<int32_t>(RGB(255, 0, 0)));
  Fill(*dc, 0, 0, 16, 16, RGB(255, 255, 255));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      bool line = (x & 7) == 4 || (y & 7) == 4;
      EXPECT_EQ(At(*dc, x, y), line ? RGB(255, 0, 0) : RGB(255, 255, 255)) << x << "," << y;
    }
}

TEST_F(FillTest, HatchesAlignToTheDeviceOriginNotTheRectangle) {
  // A rectangle at an odd offset, (3, 5)-(19, 21): the 8 x 8 patterns keep the device's
  // grid. Cross lines at x = 4, 12 and y = 12, 20 (from the rectangle they would be at
  // x = 7, 15 and y = 9, 17); forward diagonal pixels where x and y agree modulo 8.
  auto dc = Make(24, 24);
  Fill(*dc, 0, 0, 24, 24, kMarker);
  dc->put_BrushColor(static_cast<int32_t>(RGB(255, 0, 0)));
  dc->put_BrushStyle(5);  // vgCross
  Fill(*dc, 3, 5, 19, 21, RGB(255, 255, 255));
  const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255);
  for (int y : {5, 9, 13, 17, 20}) {
    EXPECT_EQ(At(*dc, 4, y), red) << y;
    EXPECT_EQ(At(*dc, 12, y), red) << y;
    EXPECT_EQ(At(*dc, 7, y), y == 20 ? red : white) << y;
  }
  for (int x : {3, 7, 10, 15, 18}) {
    EXPECT_EQ(At(*dc, x, 12), red) << x;
    EXPECT_EQ(At(*dc, x, 20), red) << x;
    EXPECT_EQ(At(*dc, x, 9), white) << x;
  }
  EXPECT_EQ(At(*dc, 2, 12), kMarker);
  EXPECT_EQ(At(*dc, 19, 12), kMarker);

  dc->put_BrushStyle(3);  // vgForwardDiagonal
  Fill(*dc, 3, 5, 19, 21, RGB(255, 255, 255));
  for (auto [x, y] : {std::pair{5, 5}, {13, 5}, {3, 11}, {9, 17}, {18, 10}, {4, 20}})
    EXPECT_EQ(At(*dc, x, y), red) << x << "," << y;
  for (auto [x, y] : {std::pair{3, 5}, {8, 10}, {11, 16}, {18, 20}})
    EXPECT_EQ(At(*dc, x, y), white) << x << "," << y;
}

// A plain fill leaves out the part the caller covers (only what of it lies inside the
// rectangle); a hatch or a gradient paints it all the same.
TEST_F(FillTest, APlainFillLeavesOutWhatTheCallerCovers) {
  struct Row {
    int brush_style, gradient_style;
    gdi::RECT covered;
  };
  const gdi::RECT rect{2, 3, 30, 17};
  for (Row row : {Row{0, 0, {5, 6, 12, 10}}, Row{0, 0, {-9, 0, 8, 40}}, Row{0, 0, {25, 1, 60, 19}},
                  Row{0, 0, {31, 0, 40, 20}}, Row{0, 0, {12, 6, 5, 10}}, Row{0, 0, {0, 0, 0, 0}},
                  Row{3, 0, {5, 6, 12, 10}}, Row{0, 1, {5, 6, 12, 10}}}) {
    auto dc = Make(40, 20);
    Fill(*dc, 0, 0, 40, 20, kMarker);
    SetRect(*dc, rect.left, rect.top, rect.right, rect.bottom);
    dc->put_BackgroundColor(RGB(0, 0, 255));
    dc->put_BrushStyle(row.brush_style);
    dc->put_GradientStyle(row.gradient_style);
    dc->FillRectangle(&row.covered);
    const bool plain = row.brush_style == 0 && row.gradient_style == 0;
    const gdi::RECT& c = row.covered;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool in_rect = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
        const bool left_out = plain && x >= c.left && x < c.right && y >= c.top && y < c.bottom;
        EXPECT_EQ(At(*dc, x, y) == kMarker, !in_rect || left_out)
            << x << "," << y << " brush " << row.brush_style << " covered " << c.left << ","
            << c.top << "," << c.right << "," << c.bottom;
      }
  }
}

}  // namespace
}  // namespace vg
