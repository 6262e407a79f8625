// Frames, rivets, ellipses and the focus rectangle, pixel by pixel.
#include "tests/surface/surface_fixture.h"

namespace vg {
namespace {

using BorderTest = SurfaceTest;

constexpr COLORREF kMarker = RGB(1, 2, 3);
constexpr COLORREF kBlack = 0x000000, kWhite = 0xFFFFFF, kGrey = 0x808080, kLight = 0xC0C0C0;

std::unique_ptr<OffScreenDC> Framed(SurfaceTest& t, int w, int h, int style, int width) {
  auto dc = t.Make(w, h);
  SurfaceTest::Fill(*dc, 0, 0, w, h, kMarker);
  dc->put_BorderStyle(style);
  dc->put_BorderWidth(static_cast<int16_t>(width));
  dc->DrawBorder();
  return dc;
}

TEST_F(BorderTest, RaisedOnePixel) {
  auto dc = Framed(*this, 100, 20, 2, 1);
  for (int x = 0; x < 100; ++x) {
    EXPECT_EQ(At(*dc, x, 0), kWhite) << x;
    EXPECT_EQ(At(*dc, x, 19), kGrey) << x;
  }
  for (int y = 1; y < 19; ++y) {
    EXPECT_EQ(At(*dc, 0, y), kWhite) << y;
    EXPECT_EQ(At(*dc, 99, y), kGrey) << y;
    EXPECT_EQ(At(*dc, 1, y), kMarker) << y;
    EXPECT_EQ(At(*dc, 98, y), kMarker) << y;
  }
  EXPECT_EQ(At(*dc, 99, 19), kGrey);
}

TEST_F(BorderTest, InsetIsTheReverseOfRaised) {
  auto dc = Framed(*this, 50, 10, 3, 1);
  EXPECT_EQ(At(*dc, 25, 0), kGrey);
  EXPECT_EQ(At(*dc, 0, 5), kGrey);
  EXPECT_EQ(At(*dc, 25, 9), kWhite);
  EXPECT_EQ(At(*dc, 49, 5), kWhite);
}

TEST_F(BorderTest, WidthFourFillsTheStripInside) {
  auto dc = Framed(*this, 100, 20, 1, 4);  // h 2, g 1: lines at 2, 98, 2, 18
  for (int d = 0; d < 4; ++d) {
    EXPECT_EQ(At(*dc, d, 10), kBlack) << d;
    EXPECT_EQ(At(*dc, 99 - d, 10), kBlack) << d;
    EXPECT_EQ(At(*dc, 50, d), kBlack) << d;
    EXPECT_EQ(At(*dc, 50, 19 - d), kBlack) << d;
  }
  EXPECT_EQ(At(*dc, 4, 10), kMarker);
  EXPECT_EQ(At(*dc, 95, 10), kMarker);
  EXPECT_EQ(At(*dc, 50, 4), kMarker);
  EXPECT_EQ(At(*dc, 50, 15), kMarker);
  EXPECT_EQ(At(*dc, 0, 0), kBlack);
  EXPECT_EQ(At(*dc, 99, 19), kBlack);
}

TEST_F(BorderTest, WidthThreeIsCentredOnLinesOneAndTwoPixelsIn) {
  auto dc = Framed(*this, 100, 20, 1, 3);  // h 1, g 1: lines at Left + 1 and Right - 2
  EXPECT_EQ(At(*dc, 0, 10), kBlack);
  EXPECT_EQ(At(*dc, 2, 10), kBlack);
  EXPECT_EQ(At(*dc, 3, 10), kMarker);
  EXPECT_EQ(At(*dc, 96, 10), kMarker);
  EXPECT_EQ(At(*dc, 97, 10), kBlack);
  EXPECT_EQ(At(*dc, 99, 10), kBlack);
}

TEST_F(BorderTest, EtchedDrawsTwoOnePixelOutlines) {
  auto dc = Framed(*this, 100, 20, 4, 1);
  // Black outline (98,0)-(0,0)-(0,18)-(98,18)-(98,0).
  EXPECT_EQ(At(*dc, 0, 0), kBlack);
  EXPECT_EQ(At(*dc, 50, 0), kBlack);
  EXPECT_EQ(At(*dc, 98, 0), kBlack);
  EXPECT_EQ(At(*dc, 0, 10), kBlack);
  EXPECT_EQ(At(*dc, 50, 18), kBlack);
  EXPECT_EQ(At(*dc, 98, 10), kBlack);
  EXPECT_EQ(At(*dc, 98, 1), kBlack);
  EXPECT_EQ(At(*dc, 1, 18), kBlack);
  // White (99,0)-(99,19)-(-1,19) and (1,17)-(1,1)-(98,1).
  EXPECT_EQ(At(*dc, 99, 0), kWhite);
  EXPECT_EQ(At(*dc, 99, 19), kWhite);
  EXPECT_EQ(At(*dc, 0, 19), kWhite);
  EXPECT_EQ(At(*dc, 1, 17), kWhite);
  EXPECT_EQ(At(*dc, 1, 1), kWhite);
  EXPECT_EQ(At(*dc, 97, 1), kWhite);
  EXPECT_EQ(At(*dc, 2, 2), kMarker);
  EXPECT_EQ(At(*dc, 97, 17), kMarker);
}

TEST_F(BorderTest, TheOtherDoubleLineStylesChangeOnlyColours) {
  struct Row {
    int style;
    COLORREF first, second;
  };
  for (Row row : {Row{5, kGrey, kWhite}, Row{6, kLight, kBlack}, Row{7, kLight, kGrey}}) {
    auto dc = Framed(*this, 40, 12, row.style, 1);
    EXPECT_EQ(At(*dc, 20, 0), row.first) << row.style;
    EXPECT_EQ(At(*dc, 20, 10), row.first) << row.style;
    EXPECT_EQ(At(*dc, 20, 11), row.second) << row.style;
    EXPECT_EQ(At(*dc, 20, 1), row.second) << row.style;
  }
}

TEST_F(BorderTest, UnknownStylesDrawNothing) {
  for (int style : {0, 8, -1, 1000}) {
    auto dc = Framed(*this, 20, 10, style, 1);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(At(*dc, x, 0), kMarker) << style;
  }
}

// Checks the rivet at (x, y): upper left, lower right and centre colours.
void ExpectRivet(const OffScreenDC& dc, int x, int y, bool raised) {
  COLORREF ul = raised ? kWhite : kGrey, lr = raised ? kGrey : kWhite;
  EXPECT_EQ(SurfaceTest::At(dc, x - 1, y - 1), ul) << x << "," << y;
  EXPECT_EQ(SurfaceTest::At(dc, x, y - 1), ul) << x << "," << y;
  EXPECT_EQ(SurfaceTest::At(dc, x - 1, y), ul) << x << "," << y;
  EXPECT_EQ(SurfaceTest::At(dc, x, y), kLight) << x << "," << y;
  EXPECT_EQ(SurfaceTest::At(dc, x + 1, y), lr) << x << "," << y;
  EXPECT_EQ(SurfaceTest::At(dc, x, y + 1), lr) << x << "," << y;
  EXPECT_EQ(SurfaceTest::At(dc, x + 1, y + 1), lr) << x << "," << y;
  EXPECT_EQ(SurfaceTest::At(dc, x + 2, y), kBlack) << x << "," << y;
  EXPECT_EQ(SurfaceTest::At(dc, x - 2, y), kBlack) << x << "," << y;
}

TEST_F(BorderTest, RaisedRivetsNearTheCorners) {
  auto dc = Make(100, 40);
  dc->put_RivetsStyle(1);
  Fill(*dc, 0, 0, 100, 40, kBlack);
  ExpectRivet(*dc, 7, 7, true);
  ExpectRivet(*dc, 93, 7, true);
  ExpectRivet(*dc, 7, 33, true);
  ExpectRivet(*dc, 93, 33, true);
  EXPECT_EQ(At(*dc, 50, 7), kBlack);  // no middle rivets for this style
}

TEST_F(BorderTest, InsetRivetsExtAddTheMiddlesAndRoundTheTieToEven) {
  auto dc = Make(101, 40);
  dc->put_RivetsStyle(4);
  dc->put_BorderWidth(2);
  Fill(*dc, 0, 0, 101, 40, kBlack);
  // Corners at 2 + 7 and 101 - 2 - 7; middles at round(50.5 + 2) = 52 and round(20 + 2).
  for (auto [x, y] :
       {std::pair{9, 9}, {92, 9}, {9, 31}, {92, 31}, {52, 9}, {92, 22}, {52, 31}, {9, 22}})
    ExpectRivet(*dc, x, y, false);
}

TEST_F(BorderTest, RivetStylesAboveFourDrawEightInsetRivets) {
  auto dc = Make(100, 40);
  dc->put_RivetsStyle(9);
  Fill(*dc, 0, 0, 100, 40, kBlack);
  ExpectRivet(*dc, 7, 7, false);
  ExpectRivet(*dc, 50, 7, false);  // round(50 + 0)
  ExpectRivet(*dc, 7, 20, false);
}

TEST_F(BorderTest, EllipseIsFilledWithoutAVisibleOutline) {
  auto dc = Make(40, 20);
  Fill(*dc, 0, 0, 40, 20, kMarker);
  SetRect(*dc, 0, 0, 40, 20);
  dc->put_BackgroundColor(static_cast<int32_t>(RGB(0, 128, 0)));
  dc->FillEllipse();
  int painted = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      COLORREF c = At(*dc, x, y);
      EXPECT_TRUE(c == kMarker || c == RGB(0, 128, 0)) << x << "," << y;
      painted += c != kMarker;
    }
  EXPECT_EQ(At(*dc, 0, 0), kMarker);
  EXPECT_EQ(At(*dc, 20, 10), RGB(0, 128, 0));
  EXPECT_EQ(At(*dc, 0, 10), RGB(0, 128, 0));
  EXPECT_EQ(At(*dc, 39, 9), RGB(0, 128, 0));
  EXPECT_EQ(At(*dc, 20, 0), RGB(0, 128, 0));
  // About pi/4 of the box.
  EXPECT_NEAR(painted, 3.14159 / 4 * 800, 20);
}

TEST_F(BorderTest, HatchedEllipseHasARimInTheBackgroundColour) {
  auto dc = Make(40, 40);
  Fill(*dc, 0, 0, 40, 40, kMarker);
  SetRect(*dc, 0, 0, 40, 40);
  dc->put_BackgroundColor(static_cast<int32_t>(kWhite));
  dc->put_BrushStyle(1);  // horizontal lines at rows 4, 12, ...
  dc->put_BrushColor(static_cast<int32_t>(RGB(255, 0, 0)));
  dc->FillEllipse();
  EXPECT_EQ(At(*dc, 20, 12), RGB(255, 0, 0));
  EXPECT_EQ(At(*dc, 20, 13), kWhite);
  EXPECT_EQ(At(*dc, 0, 20), kWhite);  // the rim, not the hatch
}

TEST_F(BorderTest, FocusRectangleComesAndGoes) {
  auto dc = Make(20, 10);
  Fill(*dc, 0, 0, 20, 10, kMarker);
  SetRect(*dc, 2, 2, 12, 8);
  dc->DrawFocusRect();
  int changed = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) changed += At(*dc, x, y) != kMarker;
  EXPECT_EQ(changed, (10 + 10 + 4 + 4) / 2);  // every other pixel of the outline
  EXPECT_EQ(At(*dc, 2, 2), kMarker ^ 0xFFFFFF);
  EXPECT_EQ(At(*dc, 3, 2), kMarker);
  dc->DrawFocusRect();
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_EQ(At(*dc, x, y), kMarker);
}

}  // namespace
}  // namespace vg
