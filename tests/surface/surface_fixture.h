#pragma once
// A window and surfaces made compatible with it; every test ends with the live graphics
// object count where it started.
#include <gtest/gtest.h>

#include <memory>

#include "platform/gdi/gdi.h"
#include "surface/off_screen_dc.h"

namespace vg {

class SurfaceTest : public ::testing::Test {
 public:
  void SetUp() override {
    window_ = gdi::CreateWindowDC(40, 20);
    start_ = gdi::LiveObjectCount();
  }
  void TearDown() override {
    EXPECT_EQ(gdi::LiveObjectCount(), start_) << "graphics objects leaked";
    gdi::DestroyWindowDC(window_);
  }
  std::unique_ptr<OffScreenDC> Make(int w = 40, int h = 20) {
    auto dc = std::make_unique<OffScreenDC>();
    dc->Initialize(window_, w, h);
    return dc;
  }
  static void SetRect(OffScreenDC& dc, int l, int t, int r, int b) {
    dc.put_Left(l), dc.put_Top(t), dc.put_Right(r), dc.put_Bottom(b);
  }
  // A plain fill of the rectangle in one colour (other attributes as they are).
  static void Fill(OffScreenDC& dc, int l, int t, int r, int b, COLORREF c) {
    SetRect(dc, l, t, r, b);
    dc.put_BackgroundColor(static_cast<int32_t>(c));
    dc.FillRectangle();
  }
  static COLORREF At(const OffScreenDC& dc, int x, int y) {
    return gdi::GetPixel(dc.MemDC(), x, y);
  }
  static COLORREF Grey(int level) { return RGB(level, level, level); }
  gdi::HDC window_ = 0;
  int start_ = 0;
};

}  // namespace vg
