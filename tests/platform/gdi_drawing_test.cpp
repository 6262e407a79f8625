// Pixels of the raster device: fills and block copies.
#include <gtest/gtest.h>

#include "platform/gdi/gdi.h"
#include "tests/platform/canvas.h"

namespace vg::gdi {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(FillRect, RightAndBottomEdgesAreExclusive) {
  Canvas c(10, 10);
  c.Fill({2, 3, 5, 7}, kRed);
  EXPECT_EQ(c.Count(kRed), 3 * 4);
  EXPECT_EQ(GetPixel(c.dc, 2, 3), kRed);
  EXPECT_EQ(GetPixel(c.dc, 4, 6), kRed);
  EXPECT_EQ(GetPixel(c.dc, 5, 6), 0u);
  EXPECT_EQ(GetPixel(c.dc, 4, 7), 0u);
}

TEST(FillRect, EmptyInvertedAndOutsideRectangles) {
  Canvas c(10, 10);
  c.Fill({4, 4, 4, 9}, kRed);  // zero width
  EXPECT_EQ(c.Count(kRed), 0);
  c.Fill({5, 6, 2, 3}, kRed);  // inverted: nothing
  EXPECT_EQ(c.Count(kRed), 0);
  c.Fill({-5, -5, 100, 1}, kBlue);  // clipped to the bitmap
  EXPECT_EQ(c.Count(kBlue), 10);
  c.Fill({20, 20, 30, 30}, kBlue);
  EXPECT_EQ(c.Count(kBlue), 10);
}

TEST(FillRect, HatchIsAlignedToTheOriginAndOpaqueGapsShowTheBackground) {
  Canvas c(16, 16);
  HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, kRed);
  ASSERT_NE(hatch, 0u);
  SetBkColor(c.dc, kBlue);
  SetBkMode(c.dc, OPAQUE);
  RECT r{3, 1, 16, 16};
  FillRect(c.dc, &r, hatch);
  EXPECT_EQ(GetPixel(c.dc, 3, 4), kRed);  // row 4 and 12 of the surface, whatever the rect
  EXPECT_EQ(GetPixel(c.dc, 3, 12), kRed);
  EXPECT_EQ(GetPixel(c.dc, 3, 5), kBlue);
  EXPECT_EQ(GetPixel(c.dc, 2, 5), 0u);

  c.Fill({0, 0, 16, 16}, 0);
  SetBkMode(c.dc, TRANSPARENT);
  HBRUSH vertical = CreateHatchBrush(HS_VERTICAL, kRed);
  FillRect(c.dc, &r, vertical);
  EXPECT_EQ(c.Count(kRed), 2 * 15);  // columns 4 and 12, rows 1..15
  EXPECT_EQ(c.Count(kBlue), 0);
  EXPECT_EQ(CreateHatchBrush(6, kRed), 0u);
  DeleteObject(hatch);
  DeleteObject(vertical);
}

TEST(BitBlt, CopiesABlockAndClipsItToBothBitmaps) {
  Canvas src(8, 8), dst(8, 8);
  src.Fill({0, 0, 8, 8}, kRed);
  EXPECT_TRUE(BitBlt(dst.dc, 2, 3, 4, 2, src.dc, 2, 3, SRCCOPY));
  EXPECT_EQ(dst.Count(kRed), 8);
  EXPECT_EQ(GetPixel(dst.dc, 2, 3), kRed);
  EXPECT_EQ(GetPixel(dst.dc, 5, 4), kRed);
  EXPECT_EQ(GetPixel(dst.dc, 6, 4), 0u);
  EXPECT_TRUE(BitBlt(dst.dc, -2, 6, 100, 100, src.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(dst.Count(kRed), 8 + 6 * 2);
  EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 0x00EE0086));  // only SRCCOPY
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapReadsBeforeItWrites) {
  Canvas c(1, 6);
  for (int y = 0; y < 6; ++y) SetPixel(c.dc, 0, y, static_cast<COLORREF>(y + 1));
  BitBlt(c.dc, 0, 2, 1, 4, c.dc, 0, 0, SRCCOPY);
  for (int y = 2; y < 6; ++y) EXPECT_EQ(GetPixel(c.dc, 0, y), static_cast<COLORREF>(y - 1));
}

TEST(WindowContext, KeepsItsPixelsWhenResizedAndCountsUpdates) {
  HDC window = CreateWindowDC(4, 4);
  HBRUSH b = CreateSolidBrush(kRed);
  // Window contexts draw too (a host may paint its own window).
  RECT r{0, 0, 4, 4};
  FillRect(window, &r, b);
  ResizeWindowDC(window, 6, 2);
  EXPECT_EQ(GetPixel(window, 3, 1), kRed);
  EXPECT_EQ(GetPixel(window, 5, 1), 0u);
  EXPECT_EQ(GetPixel(window, 0, 2), CLR_INVALID);
  Canvas c(6, 2);
  EXPECT_EQ(WindowUpdateCount(window), 0);
  BitBlt(window, 0, 0, 6, 2, c.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(WindowUpdateCount(window), 1);
  DeleteObject(b);
  DestroyWindowDC(window);
}

}  // namespace
}  // namespace vg::gdi

namespace vg::gdi {
namespace {

TEST(LineTo, ALineBesideOrInABitmapWithoutPixelsPaintsNothing) {
  // A window resized to no width keeps drawing its frame: nothing to paint, nothing touched.
  for (int width : {0, 3}) {
    Canvas c(width, 12);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    HGDIOBJ old = SelectObject(c.dc, pen);
    MoveToEx(c.dc, 4, 5, nullptr);
    EXPECT_TRUE(LineTo(c.dc, 9, 5));
    MoveToEx(c.dc, 6, 1, nullptr);
    EXPECT_TRUE(LineTo(c.dc, 6, 9));
    SelectObject(c.dc, old);
    DeleteObject(pen);
    EXPECT_EQ(c.Count(kRed), 0) << width;
  }
}

TEST(LineTo, TheEndPointIsNotDrawn) {
  struct Row {
    POINT from, to;
    int pen_width;
    int painted;      // pixels painted in all
    POINT first_out;  // the end point, or the first pixel past the square pen's reach
  };
  // A one-pixel pen paints |dx| pixels of a horizontal line; a 3-pixel pen reaches one
  // pixel on each side, so its line stops one pixel beyond the last painted centre.
  for (const Row& row :
       {Row{{2, 5}, {7, 5}, 1, 5, {7, 5}}, Row{{7, 5}, {2, 5}, 1, 5, {2, 5}},
        Row{{4, 1}, {4, 8}, 1, 7, {4, 8}}, Row{{4, 8}, {4, 1}, 1, 7, {4, 1}},
        Row{{1, 1}, {6, 6}, 1, 5, {6, 6}}, Row{{3, 5}, {9, 5}, 3, 8 * 3, {10, 5}}}) {
    Canvas c(12, 12);
    HPEN pen = CreatePen(PS_SOLID, row.pen_width, kRed);
    HGDIOBJ old = SelectObject(c.dc, pen);
    MoveToEx(c.dc, row.from.x, row.from.y, nullptr);
    LineTo(c.dc, row.to.x, row.to.y);
    SelectObject(c.dc, old);
    DeleteObject(pen);
    EXPECT_EQ(c.Count(kRed), row.painted) << row.from.x << "," << row.from.y;
    EXPECT_EQ(GetPixel(c.dc, row.from.x, row.from.y), kRed);
    EXPECT_EQ(GetPixel(c.dc, row.first_out.x, row.first_out.y), 0u);
    POINT at;
    MoveToEx(c.dc, 0, 0, &at);  // the current position moved to the end point
    EXPECT_EQ(at.x, row.to.x);
    EXPECT_EQ(at.y, row.to.y);
  }
}

}  // namespace
}  // namespace vg::gdi

#include <cmath>
#include <limits>
#include <vector>

#include "platform/gdi/ellipse_span.h"

namespace vg::gdi {
namespace {

TEST(EllipseRounding, CeilAndFloorAgreeWithTheLibrary) {
  // Around integers and halves, at both signs, near the end of the fast range and beyond it.
  std::vector<double> values = {0.0,
                                -0.0,
                                0.5,
                                -0.5,
                                1e-300,
                                -1e-300,
                                2147483647.5,
                                -2147483648.5,
                                2251799813685247.5,
                                -2251799813685247.5,
                                4503599627370497.0,
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity()};
  for (int k = -3000; k <= 3000; ++k)
    for (double f : {0.0, 0.25, 0.5, 0.75}) {
      const double v = k + f;
      values.push_back(v);
      values.push_back(std::nextafter(v, 1e9));
      values.push_back(std::nextafter(v, -1e9));
    }
  for (double v : values) {
    ASSERT_EQ(CeilOf(v), std::ceil(v)) << v;
    ASSERT_EQ(FloorOf(v), std::floor(v)) << v;
  }
  EXPECT_TRUE(std::isnan(CeilOf(std::nan(""))));
  EXPECT_TRUE(std::isnan(FloorOf(std::nan(""))));
}

}  // namespace
}  // namespace vg::gdi
