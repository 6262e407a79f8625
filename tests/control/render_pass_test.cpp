// The render pass: block rectangles in all four orientations, percentages, frames, the
// two passes, disabled colours, and what covers what.
#include <vector>

#include "control/enums.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {
using Peer = VarigaugeTestPeer;
using testing::ErrorOf;
using testing::Pixels;
using testing::PlacedControl;

constexpr COLORREF kBack = 0xC0C0C0;
constexpr COLORREF kBlock = 0x00FF00;

Variant N(int n) {
  return Variant::Integer(static_cast<int16_t>(n));
}

// The block of the 202 x 52 example: 0..50 horizontally, 0..100 vertically, no frame.
void AddExampleBlock(Varigauge& c) {
  c.put_Redraw(false);
  c.AddBlock();
  c.put_BlockBarLeft(N(1), 0);
  c.put_BlockBarRight(N(1), 50);
  c.put_BlockBarTop(N(1), 100);
  c.put_BlockBarBottom(N(1), 0);
  c.put_BlockColor(N(1), kBlock);
}

// The rectangle the block colour covers in the window: left, top, right, bottom (exclusive).
std::array<int, 4> Covered(const PlacedControl& p, COLORREF color) {
  gdi::PixelView v = p.host.Pixels();
  int l = v.width, t = v.height, r = -1, b = -1;
  for (int y = 0; y < v.height; ++y)
    for (int x = 0; x < v.width; ++x)
      if (v.pixels[y * v.width + x] == color) {
        l = std::min(l, x), t = std::min(t, y), r = std::max(r, x + 1), b = std::max(b, y + 1);
      }
  return {l, t, r, b};
}

TEST(RenderPass, TheExampleBlockInAllFourOrientations) {
  struct Row {
    int orientation;
    std::array<int, 4> rect;
  };
  // sH = (202 - 2) / 100 = 2, sV = (52 - 2) / 100 = 0.5.
  for (Row row : {Row{vgFromLeft, {1, 1, 101, 51}}, Row{vgFromRight, {101, 1, 201, 51}},
                  Row{vgFromTop, {1, 1, 201, 26}}, Row{vgFromBottom, {1, 26, 201, 51}}}) {
    PlacedControl p(Pixels(202, 52));
    Varigauge& c = p.c();
    AddExampleBlock(c);
    c.put_Orientation(row.orientation);
    c.put_Redraw(true);
    EXPECT_EQ(Peer::HScale(c), 2.0f);
    EXPECT_EQ(Peer::VScale(c), 0.5f);
    EXPECT_EQ(Covered(p, kBlock), row.rect) << row.orientation;
    EXPECT_EQ(c.get_BlockHPercentage(N(1)), "50");
    EXPECT_EQ(c.get_BlockVPercentage(N(1)), "100");
  }
}

TEST(RenderPass, AnUnknownOrientationLeavesTheRectangleEmpty) {
  PlacedControl p(Pixels(202, 52));
  AddExampleBlock(p.c());
  p.c().put_Orientation(7);
  p.c().put_Redraw(true);
  EXPECT_EQ(Covered(p, kBlock), (std::array<int, 4>{202, 52, -1, -1}));
}

TEST(RenderPass, PercentagesUseExactIntegerArithmetic) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  AddExampleBlock(c);
  c.put_BlockBarRight(N(1), 29);
  c.put_BlockBarTop(N(1), 57);
  c.put_Redraw(true);
  EXPECT_EQ(c.get_BlockHPercentage(N(1)), "29");
  EXPECT_EQ(c.get_BlockVPercentage(N(1)), "57");
  c.put_HMaxValue(300);
  EXPECT_EQ(c.get_BlockHPercentage(N(1)), "9");  // 29 x 100 / 300 = 9.67
  // Bars in pixels: 40 of 200.
  PlacedControl q(Pixels(200, 50));
  Varigauge& d = q.c();
  d.AddBlock();
  d.put_BlockAutoSize(N(1), false);
  d.put_BlockBarLeft(N(1), 10);
  d.put_BlockBarRight(N(1), 50);
  d.put_BlockBarTop(N(1), 25);
  d.put_BlockBarBottom(N(1), 0);
  EXPECT_EQ(d.get_BlockHPercentage(N(1)), "20");
  EXPECT_EQ(d.get_BlockVPercentage(N(1)), "50");
}

TEST(RenderPass, ABlockBeyondItsScaleIsDrawnBeyondTheFrame) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  AddExampleBlock(c);
  c.put_BlockBarRight(N(1), 150);
  c.put_Redraw(true);
  EXPECT_EQ(c.get_BlockHPercentage(N(1)), "150");
  EXPECT_EQ(Covered(p, kBlock), (std::array<int, 4>{1, 1, 202, 51}));  // cut by the surface
}

TEST(RenderPass, OnlyTheRangeOfTheScaleMatters) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  AddExampleBlock(c);
  c.put_HMinValue(50);
  c.put_HMaxValue(150);
  c.put_BlockBarRight(N(1), 100);
  c.put_Redraw(true);
  EXPECT_EQ(Covered(p, kBlock), (std::array<int, 4>{1, 1, 201, 51}));
}

TEST(RenderPass, HiddenAndNegativeBlocksAreSkippedWithTheirPercentages) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  AddExampleBlock(c);
  c.put_BlockBarRight(N(1), -1);
  c.put_BlockHPercentage(N(1), "kept");
  c.put_Redraw(true);
  EXPECT_EQ(c.get_BlockHPercentage(N(1)), "kept");
  EXPECT_EQ(Covered(p, kBlock)[2], -1);
  c.put_BlockBarRight(N(1), 50);
  c.put_BlockVisible(N(1), false);
  c.put_BlockHPercentage(N(1), "hidden");
  EXPECT_EQ(c.get_BlockHPercentage(N(1)), "hidden");
  c.put_BlockVisible(N(1), true);
  c.put_BlockHPercentage(N(1), "replaced");  // a drawn block gets the computed text
  EXPECT_EQ(c.get_BlockHPercentage(N(1)), "50");
}

TEST(RenderPass, BlocksOnTopAreDrawnInTheSecondPass) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  c.put_Redraw(false);
  c.put_Blocks(2);
  for (int i = 1; i <= 2; ++i) {
    c.put_BlockBarLeft(N(i), 0);
    c.put_BlockBarRight(N(i), 100);
  }
  c.put_BlockColor(N(1), 0x0000FF);
  c.put_BlockColor(N(2), 0x00FF00);
  c.put_BlockOnTop(N(1), true);
  c.put_Redraw(true);
  EXPECT_EQ(p.Pixel(100, 25), 0x0000FFu);
  c.put_BlockOnTop(N(1), false);  // now ascending order: block 2 last
  EXPECT_EQ(p.Pixel(100, 25), 0x00FF00u);
}

// Poisons the surface with `color` and draws again; returns the window.
std::vector<COLORREF> DrawnOver(PlacedControl& p, COLORREF color) {
  const OffScreenDC& surface = *Peer::surface(p.c());
  const gdi::RECT all{0, 0, surface.CtlWidth(), surface.CtlHeight()};
  gdi::FillSolidRect(surface.MemDC(), &all, color);
  p.c().Refresh();
  const gdi::PixelView v = p.host.Pixels();
  return {v.pixels, v.pixels + static_cast<ptrdiff_t>(v.width) * v.height};
}

// The background is left out where a block's fill is certain to paint over it: a plain block,
// or a gradient of stripes running right or left once its row of colours is kept (from the
// second pass on). Over any old picture the pass must draw the same pixels, for every
// gradient, granularity, placement (beyond the surface, a single column, under a block on
// top) and both window layouts.
TEST(RenderPass, WhatTheBackgroundLeavesOutNeverShowsAnOldPicture) {
  struct Place {
    int left, right;
    bool framed;
  };
  const Place places[] = {{0, 50, false}, {10, 150, true}, {0, 1, false}, {30, 31, true}};
  for (bool screen_layout : {false, true})
    for (int style = vgNoneGradient; style <= vgOuterRectangleGradient; ++style)
      for (const Place& place : places) {
        HeadlessHostOptions options = Pixels(202, 52);
        options.screen_layout = screen_layout;
        PlacedControl p(options);
        Varigauge& c = p.c();
        c.put_Redraw(false);
        c.put_Blocks(2);
        c.put_BlockBarLeft(N(1), static_cast<int16_t>(place.left));
        c.put_BlockBarRight(N(1), static_cast<int16_t>(place.right));
        c.put_BlockGradientStyle(N(1), style);
        c.put_BlockGradientGranularity(N(1), style % 5);
        c.put_BlockGradientColor(N(1), 0x2040C0);
        c.put_BlockGradientColorEnd(N(1), 0xE0C020);
        c.put_BlockRivetsStyle(N(1), place.framed ? vgRaisedRivets : 0);
        c.put_BlockBorderStyle(N(1), place.framed ? vgEtched : vgNoneBorder);
        c.put_BlockText(N(1), "gradient");
        c.put_BlockBarLeft(N(2), 40);
        c.put_BlockBarRight(N(2), 45);
        c.put_BlockOnTop(N(2), true);
        c.put_Caption("under the blocks");
        c.put_RivetsStyle(vgInsetRivets);
        c.put_Redraw(true);
        c.Refresh();  // the gradient's row is kept now
        EXPECT_EQ(DrawnOver(p, RGB(255, 0, 255)), DrawnOver(p, RGB(0, 255, 0)))
            << "style " << style << ", bars " << place.left << ".." << place.right
            << (screen_layout ? ", screen layout" : "");
      }
  // More gradients than rows of colours are kept (two-pass styles among them), at twice the
  // density and disabled: rows are evicted between the pass that asks and the one that paints.
  HeadlessHostOptions options = Pixels(202, 52);
  options.dpi = 2 * gdi::kDefaultDpi;
  PlacedControl p(options);
  Varigauge& c = p.c();
  c.put_Redraw(false);
  c.put_Blocks(6);
  for (int i = 1; i <= 6; ++i) {
    c.put_BlockBarLeft(N(i), static_cast<int16_t>(16 * (i - 1)));
    c.put_BlockBarRight(N(i), static_cast<int16_t>(16 * i + (i == 6 ? 10 : 0)));
    c.put_BlockGradientStyle(N(i), i % 2 ? vgLeftHGradient : vgOuterHGradient);
    c.put_BlockGradientColor(N(i), static_cast<OLE_COLOR>(0x102030 * i));
  }
  for (bool enabled : {true, false}) {
    c.put_Enabled(enabled);
    c.put_Redraw(true);
    for (int pass = 0; pass < 3; ++pass)
      EXPECT_EQ(DrawnOver(p, RGB(255, 0, 255)), DrawnOver(p, RGB(0, 255, 0))) << enabled;
  }
}

TEST(RenderPass, ACaptionIsHiddenWhereABlockCoversIt) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  c.put_Caption("WWWWWW");
  int ink = 0;
  for (int x = 0; x < 202; ++x) ink += p.Pixel(x, 26) != kBack && x > 1 && x < 200;
  EXPECT_GT(ink, 5);
  AddExampleBlock(c);
  c.put_BlockBarRight(N(1), 100);
  c.put_Redraw(true);
  EXPECT_EQ(Covered(p, kBlock), (std::array<int, 4>{1, 1, 201, 51}));
}

TEST(RenderPass, SystemColoursAreDrawnAsTheirColours) {
  // The default ForeColor is system colour 18 (button text, black): the caption's ink is
  // black blended over the grey background, so every pixel stays grey.
  PlacedControl p(Pixels(120, 30));
  p.c().put_Caption("Caption");
  int ink = 0;
  for (int y = 1; y < 29; ++y)
    for (int x = 1; x < 119; ++x) {
      COLORREF c = p.Pixel(x, y);
      EXPECT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << x << "," << y;
      ink += c != kBack;
    }
  EXPECT_GT(ink, 20);
}

TEST(RenderPass, EtchedFramesAreOnePixelWide) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  AddExampleBlock(c);
  c.put_BorderStyle(vgEtched);
  c.put_BorderWidth(5);
  c.put_Redraw(true);
  EXPECT_EQ(Peer::HScale(c), 2.0f);  // (202 - 2 x 1) / 100
  EXPECT_EQ(Covered(p, kBlock), (std::array<int, 4>{1, 1, 101, 51}));
  EXPECT_EQ(p.Pixel(0, 0), 0x000000u);  // etched: black outer top-left line
}

TEST(RenderPass, DisabledControlsDrawInTheDisabledColour) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  AddExampleBlock(c);
  c.put_BlockBrushStyle(N(1), vgCross);
  c.put_BlockBrushColor(N(1), 0xFF0000);
  c.put_Caption("Off");
  c.put_Enabled(false);
  c.put_Redraw(true);
  EXPECT_EQ(p.Pixel(150, 25), kBack);   // the background keeps BackColor
  EXPECT_EQ(p.Pixel(0, 0), 0x808080u);  // frames are drawn as usual
  // The block's fill and hatch both turn into DisabledColor.
  for (int x = 1; x < 101; ++x) EXPECT_EQ(p.Pixel(x, 4), 0x808080u) << x;
  EXPECT_EQ(p.Pixel(50, 10), 0x808080u);
}

TEST(RenderPass, ACircleBlockHasNoFrame) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  AddExampleBlock(c);
  c.put_BlockShapeStyle(N(1), vgCircle);
  c.put_BlockBorderStyle(N(1), vgRaised);
  c.put_Redraw(true);
  EXPECT_EQ(p.Pixel(1, 1), kBack);  // the corner of the rectangle lies outside the ellipse
  EXPECT_EQ(p.Pixel(51, 26), kBlock);
  int white = 0;
  for (int x = 1; x < 101; ++x) white += p.Pixel(x, 1) == 0xFFFFFFu;
  EXPECT_EQ(white, 0);
}

TEST(RenderPass, BlockFramesPicturesAndTextInThatOrder) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  AddExampleBlock(c);
  c.put_BlockBorderStyle(N(1), vgFlat);
  c.put_BlockBorderWidth(N(1), 2);
  c.putref_BlockPicture(N(1), StdPicture::FromPixels(4, 4, std::vector<COLORREF>(16, 0x123456)));
  c.put_BlockText(N(1), "W");
  c.put_BlockTextColor(N(1), 0xFF00FF);
  c.put_BlockTextAlignment(N(1), vgTopLeft);  // away from the picture
  c.put_Redraw(true);
  EXPECT_EQ(p.Pixel(1, 1), 0x000000u);  // the frame, two pixels wide
  EXPECT_EQ(p.Pixel(2, 2), 0x000000u);
  EXPECT_EQ(p.Pixel(3, 3), kBlock);
  EXPECT_EQ(p.Pixel(49, 24), 0x123456u);  // the picture, centred: (1 + (100 - 4) / 2, ...)
  int text = 0;
  for (int y = 0; y < 52; ++y)
    for (int x = 0; x < 202; ++x) text += p.Pixel(x, y) == 0xFF00FFu;
  EXPECT_GT(text, 0);
}

TEST(RenderPass, EveryObjectMadeInAPassIsReleased) {
  PlacedControl p(Pixels(300, 40));
  Varigauge& c = p.c();
  c.put_Redraw(false);
  c.put_Caption("Caption");
  c.put_CaptionAngle(30);
  c.put_GradientStyle(vgInnerCircleGradient);
  c.put_RivetsStyle(vgRaisedRivetsExt);
  c.putref_Picture(StdPicture::FromPixels(8, 8, std::vector<COLORREF>(64, 0x1)));
  c.put_PictureTile(vgBothTile);
  c.put_Blocks(3);
  for (int i = 1; i <= 3; ++i) {
    c.put_BlockBarLeft(N(i), static_cast<int16_t>(i * 10));
    c.put_BlockBarRight(N(i), static_cast<int16_t>(i * 20));
    c.put_BlockText(N(i), "Block text");
    c.put_BlockTextAutoAngle(N(i), vgUp);
    c.put_BlockGradientStyle(N(i), vgLeftHGradient);
    c.put_BlockBorderStyle(N(i), vgBump);
    c.put_BlockTextFont3D(N(i), vgRaisedShadow);
  }
  c.put_BlockShapeStyle(N(2), vgCircle);
  c.put_Redraw(true);  // fonts and glyphs realised once
  int objects = gdi::LiveObjectCount();
  c.Refresh();
  c.Refresh();
  EXPECT_EQ(gdi::LiveObjectCount(), objects);
}

}  // namespace
}  // namespace vg
