// Colour ramps painted into a picture box by late-bound name: band counts by colour depth
// and granularity, band edges and colours, direction of the outer and inner shapes, and
// pixel equality with the surface's own gradient fill.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "platform/host/drawing_box.h"
#include "surface/color_ramp.h"
#include "tests/surface/surface_fixture.h"

namespace vg {
namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr int16_t kLeftH = 1, kInnerCircle = 9, kInnerRect = 11, kOuterRect = 12;
constexpr int16_t kDefault = 0, kHigh = 1, kVeryLow = 4;

using ColorRampTest = SurfaceTest;

COLORREF Px(const DrawingBox& box, int x, int y) {
  return gdi::GetPixel(box.hDC(), x, y);
}

size_t DistinctInRow(const DrawingBox& box, int y) {
  std::set<COLORREF> colors;
  for (int x = 0; x < box.Width(); ++x) colors.insert(Px(box, x, y));
  return colors.size();
}

TEST_F(ColorRampTest, BandCountFollowsDepthAndGranularity) {
  DrawingBox box(256, 2, 32);
  EXPECT_EQ(SetColorDepth(box), 32);
  // Blue falls as red rises, so that no two bands share a colour.
  PaintColorRamp(box, kLeftH, kDefault, 0xFF0000, 0x0000FF);
  EXPECT_EQ(DistinctInRow(box, 1), 256u);
  PaintColorRamp(box, kLeftH, kVeryLow, 0x000000, 0x0000FF);
  EXPECT_EQ(DistinctInRow(box, 1), 8u);

  box.SetDepth(8);
  EXPECT_EQ(SetColorDepth(box), 8);
  EXPECT_EQ(RampColorLevels(), 64);
  box.SetDepth(15);
  EXPECT_EQ(SetColorDepth(box), 15);
  EXPECT_EQ(RampColorLevels(), 32);
  box.SetDepth(12);  // no depth a display has: taken as 4 bits
  EXPECT_EQ(SetColorDepth(box), 4);
  EXPECT_EQ(RampColorLevels(), 64);
}

TEST_F(ColorRampTest, RedToBlackInSixteenBandsOfSixAndAQuarterPixels) {
  DrawingBox box(100, 3, 8);
  ASSERT_EQ(SetColorDepth(box), 8);
  PaintColorRamp(box, kLeftH, kHigh, kRed, 0x000000);
  // Band i spans [6.25 i, 6.25 (i + 1)) rounded halves to even; its red is
  // 255 - 255 / 16 x i rounded.
  const struct {
    int x;
    int red;
  } rows[] = {{0, 255},  {5, 255},  {6, 239}, {11, 239}, {12, 223}, {18, 223}, {19, 207},
              {24, 207}, {25, 191}, {87, 48}, {88, 32},  {93, 32},  {94, 16},  {99, 16}};
  for (const auto& r : rows)
    for (int y = 0; y < 3; ++y)
      EXPECT_EQ(Px(box, r.x, y), static_cast<COLORREF>(r.red)) << "x=" << r.x << " y=" << y;
  EXPECT_EQ(DistinctInRow(box, 0), 16u);
}

TEST_F(ColorRampTest, OuterRectangleHasTheEndColourAtTheEdge) {
  DrawingBox box(40, 40, 32);
  SetColorDepth(box);
  PaintColorRamp(box, kOuterRect, kVeryLow, 0x000000, 0xFFFFFF);
  EXPECT_EQ(Px(box, 0, 0), 0xFFFFFFu);
  EXPECT_LT(Px(box, 20, 20) & 0xFF, 0x40u);
  PaintColorRamp(box, kInnerRect, kVeryLow, 0x000000, 0xFFFFFF);
  EXPECT_EQ(Px(box, 0, 0), 0x000000u);
  EXPECT_GT(Px(box, 20, 20) & 0xFF, 0xC0u);
}

TEST_F(ColorRampTest, StyleOutsideTheRangePaintsNothing) {
  DrawingBox box(20, 10, 32);
  box.put_BackColor(0x123456);
  SetColorDepth(box);
  for (int16_t style : {int16_t{0}, int16_t{13}, int16_t{-1}, int16_t{32767}}) {
    PaintColorRamp(box, style, kDefault, kRed, 0x000000);
    for (int x = 0; x < 20; ++x) ASSERT_EQ(Px(box, x, 5), 0x123456u) << style;
  }
}

TEST_F(ColorRampTest, EqualsTheSurfaceGradientPixelForPixel) {
  constexpr int kW = 37, kH = 23;
  auto dc = Make(kW, kH);
  DrawingBox box(kW, kH, 32);
  SetColorDepth(box);
  for (int32_t style = 1; style <= 12; ++style) {
    for (int32_t g : {0, 2, 4}) {
      SetRect(*dc, 0, 0, kW, kH);
      dc->put_BorderWidth(0);
      dc->put_GradientStyle(style);
      dc->put_GradientGranularity(g);
      dc->put_GradientColor(0x3060C0);
      dc->put_GradientColorEnd(0xF01008);
      dc->FillRectangle();
      PaintColorRamp(box, static_cast<int16_t>(style), static_cast<int16_t>(g), 0x3060C0, 0xF01008);
      int differing = 0;
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) differing += At(*dc, x, y) != Px(box, x, y);
      EXPECT_EQ(differing, 0) << "style " << style << " granularity " << g;
    }
  }
}

TEST_F(ColorRampTest, TheScaleOriginMovesTheRectangle) {
  // The rectangle is (ScaleLeft, ScaleTop) to (ScaleWidth, ScaleHeight), left to right.
  DrawingBox box(20, 4, 32);
  box.put_BackColor(0x00FF00);
  box.put_ScaleLeft(10.0f);
  SetColorDepth(box);
  PaintColorRamp(box, kLeftH, kVeryLow, kRed, kRed);
  EXPECT_EQ(Px(box, 9, 1), 0x00FF00u);
  EXPECT_EQ(Px(box, 10, 1), kRed);
  EXPECT_EQ(Px(box, 19, 1), kRed);
}

TEST_F(ColorRampTest, EachThreadKeepsItsOwnDepthAndARampNeverLacksIt) {
  DrawingBox here(64, 2, 32);
  ASSERT_EQ(SetColorDepth(here), 32);
  int16_t levels_before = -1;
  size_t bands = 0;
  std::thread other([&] {
    levels_before = RampColorLevels();
    DrawingBox box(64, 2, 8);
    // No SetColorDepth on this thread: the ramp reads the box's depth itself.
    PaintColorRamp(box, kLeftH, kHigh, 0x000000, 0xFF0000);
    bands = DistinctInRow(box, 0);
  });
  other.join();
  EXPECT_EQ(levels_before, 0);
  EXPECT_EQ(bands, 16u);  // 64 levels / 4
  EXPECT_EQ(RampColorLevels(), 256);
}

TEST_F(ColorRampTest, ABoxWithoutContextOrMembersPaintsNothing) {
  struct Empty : DispatchObject {
    std::string TypeName() const override { return "Object"; }
    DISPID GetIDOfName(std::string_view) const override { return DISPID_UNKNOWN; }
    Variant Invoke(DISPID, uint16_t, Args) override { Raise(err::kNotSupported); }
  } empty;
  EXPECT_EQ(SetColorDepth(empty), 4);
  PaintColorRamp(empty, kInnerCircle, kDefault, kRed, 0);
}

}  // namespace
}  // namespace vg
