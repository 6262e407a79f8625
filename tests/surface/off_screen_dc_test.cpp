#include <gtest/gtest.h>

#include <memory>

#include "platform/automation/std_font.h"
#include "platform/gdi/gdi.h"
#include "surface/off_screen_dc.h"
#include "tests/surface/surface_fixture.h"

namespace vg {
namespace {

using OffScreenDCTest = SurfaceTest;

TEST_F(OffScreenDCTest, HoldsAContextAndABitmapUntilReleased) {
  auto dc = Make();
  EXPECT_EQ(gdi::LiveObjectCount(), start_ + 2);
  EXPECT_EQ(gdi::GetObjectType(dc->MemDC()), gdi::OBJ_MEMDC);
  dc.reset();
  EXPECT_EQ(gdi::LiveObjectCount(), start_);
}

TEST_F(OffScreenDCTest, ColourLevelsFollowTheDisplayDepth) {
  struct Row {
    int bits, planes, levels, depth;
  };
  for (Row row : {Row{32, 1, 256, 32}, Row{24, 1, 256, 24}, Row{16, 1, 256, 16}, Row{15, 1, 32, 15},
                  Row{8, 1, 64, 8}, Row{4, 1, 64, 4}, Row{1, 1, 64, 4}, Row{1, 4, 64, 4},
                  Row{1, 8, 64, 8}, Row{12, 1, 64, 4}}) {
    gdi::SetDeviceDepth(window_, row.bits, row.planes);
    auto dc = Make();
    EXPECT_EQ(dc->ColorLevels(), row.levels) << row.bits << " x " << row.planes;
    EXPECT_EQ(dc->DisplayDepth(), row.depth) << row.bits << " x " << row.planes;
  }
}

TEST_F(OffScreenDCTest, BlastToScreenCopiesTheWholeSurfaceOrOneBlock) {
  auto dc = Make();
  Fill(*dc, 0, 0, 40, 20, RGB(255, 0, 0));
  dc->BlastToScreen(10, 5, 20, 8);
  int copied = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) copied += gdi::GetPixel(window_, x, y) == RGB(255, 0, 0);
  EXPECT_EQ(copied, 20 * 8);
  EXPECT_EQ(gdi::GetPixel(window_, 10, 5), RGB(255, 0, 0));
  EXPECT_EQ(gdi::GetPixel(window_, 29, 12), RGB(255, 0, 0));
  EXPECT_NE(gdi::GetPixel(window_, 30, 12), RGB(255, 0, 0));
  dc->BlastToScreen(0, 0, -1, -1);
  EXPECT_EQ(gdi::GetPixel(window_, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(gdi::GetPixel(window_, 39, 19), RGB(255, 0, 0));
}

TEST_F(OffScreenDCTest, RectangleAttributesFeedThePlatformRectangle) {
  auto dc = Make();
  dc->put_Right(50);
  EXPECT_EQ(dc->get_Right(), 50);
  EXPECT_EQ(dc->rect().right, 50);
  dc->put_Top(-3);
  EXPECT_EQ(dc->rect().top, -3);
  dc->put_BackColor(0x123456);
  EXPECT_EQ(dc->get_BackColor(), 0);
}

TEST_F(OffScreenDCTest, SolidFillPaintsTheRectangleAndRestoresTheMode) {
  auto dc = Make();
  Fill(*dc, 0, 0, 40, 20, RGB(0, 0, 0));
  gdi::SetBkMode(dc->MemDC(), gdi::TRANSPARENT);
  Fill(*dc, 5, 5, 8, 6, RGB(1, 2, 3));
  EXPECT_EQ(gdi::GetPixel(dc->MemDC(), 5, 5), RGB(1, 2, 3));
  EXPECT_EQ(gdi::GetPixel(dc->MemDC(), 7, 5), RGB(1, 2, 3));
  EXPECT_EQ(gdi::GetPixel(dc->MemDC(), 8, 5), RGB(0, 0, 0));
  EXPECT_EQ(gdi::GetPixel(dc->MemDC(), 5, 6), RGB(0, 0, 0));
  EXPECT_EQ(gdi::GetBkMode(dc->MemDC()), gdi::TRANSPARENT);
}

TEST_F(OffScreenDCTest, HatchFillShowsTheBackgroundColourInItsGaps) {
  auto dc = Make(16, 16);
  dc->put_BrushStyle(2);  // vertical lines
  dc->put_BrushColor(static_cast<int32_t>(RGB(255, 255, 255)));
  Fill(*dc, 0, 0, 16, 16, RGB(0, 0, 255));
  EXPECT_EQ(gdi::GetPixel(dc->MemDC(), 4, 0), RGB(255, 255, 255));
  EXPECT_EQ(gdi::GetPixel(dc->MemDC(), 12, 9), RGB(255, 255, 255));
  EXPECT_EQ(gdi::GetPixel(dc->MemDC(), 5, 0), RGB(0, 0, 255));
}

TEST_F(OffScreenDCTest, FontStaysSelectedAndIsPutBackOnRelease) {
  auto font = StdFont::Create("Arial", 10);
  int with_font = gdi::LiveObjectCount();
  {
    auto dc = Make();
    dc->putref_Font(font);
    dc->putref_Font(nullptr);
    dc->putref_Font(font);
  }
  // The surface never deletes the font object's handle; the font object does.
  EXPECT_EQ(gdi::LiveObjectCount(), with_font + 1);
  font.reset();
  EXPECT_EQ(gdi::LiveObjectCount(), with_font);
}

TEST_F(OffScreenDCTest, ASurfaceThatCouldNotBeMadeDrawsNothingAndReleasesNothing) {
  auto dc = std::make_unique<OffScreenDC>();
  dc->Initialize(0xBAD, 10, 10);
  EXPECT_EQ(dc->MemDC(), 0u);
  Fill(*dc, 0, 0, 10, 10, RGB(1, 1, 1));
  dc->BlastToScreen();
}

}  // namespace
}  // namespace vg
