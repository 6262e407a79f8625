// Frames, rivets, hatches and pictures on windows denser than 96 dpi.
#include <algorithm>
#include <tuple>

#include "platform/host/picture_box.h"
#include "surface/border_bands.h"
#include "tests/surface/surface_fixture.h"

namespace vg {
namespace {

constexpr COLORREF kMarker = RGB(1, 2, 3);

class DensityTest : public SurfaceTest {
 public:
  void TearDown() override {
    for (gdi::HDC w : dense_) gdi::DestroyWindowDC(w);
    SurfaceTest::TearDown();
  }
  // A surface of w x h on a window of `dpi`.
  std::unique_ptr<OffScreenDC> MakeAt(int dpi, int w, int h) {
    dense_.push_back(gdi::CreateWindowDC(w, h, dpi));
    auto dc = std::make_unique<OffScreenDC>();
    dc->Initialize(dense_.back(), w, h);
    return dc;
  }
  std::vector<gdi::HDC> dense_;
};

struct Element {
  int border_style, border_width, brush_style, rivets;
};

// A rectangle of 96-dpi pixels l, t, r, b filled and framed as `e` says, at `times` the size.
void DrawElement(OffScreenDC& dc, const Element& e, int times, int l, int t, int r, int b) {
  SurfaceTest::Fill(dc, 0, 0, dc.CtlWidth(), dc.CtlHeight(), kMarker);
  SurfaceTest::SetRect(dc, l * times, t * times, r * times, b * times);
  dc.put_BackgroundColor(0x40C080);
  dc.put_BrushStyle(e.brush_style);
  dc.put_BrushColor(0x2020A0);
  dc.put_BorderWidth(static_cast<int16_t>(e.border_width));
  dc.put_RivetsStyle(static_cast<int16_t>(e.rivets));
  dc.FillRectangle();
  dc.put_BorderStyle(e.border_style);
  dc.DrawBorder();
}

TEST_F(DensityTest, FrameBandsAtNinetySixDpiAreThePixelsThePensDraw) {
  // The bands a denser window is framed with are, at 96 dpi, exactly the pens' lines.
  struct Rect {
    int l, t, r, b;
  };
  for (Rect rc : {Rect{0, 0, 40, 20}, Rect{3, 2, 31, 17}, Rect{6, 5, 14, 12}})
    for (int style = 1; style <= 7; ++style)
      for (int width = 0; width <= 4; ++width) {
        auto pens = Make(), bands = Make();
        for (OffScreenDC* dc : {pens.get(), bands.get()}) Fill(*dc, 0, 0, 40, 20, kMarker);
        SetRect(*pens, rc.l, rc.t, rc.r, rc.b);
        pens->put_BorderStyle(style);
        pens->put_BorderWidth(static_cast<int16_t>(width));
        pens->DrawBorder();
        PaintBorderBands(bands->MemDC(), {rc.l, rc.t, rc.r, rc.b}, style, width, DeviceScale());
        for (int y = 0; y < 20; ++y)
          for (int x = 0; x < 40; ++x)
            ASSERT_EQ(At(*bands, x, y), At(*pens, x, y))
                << "style " << style << " width " << width << " rect " << rc.l << "," << rc.t
                << " at " << x << "," << y;
      }
}

TEST_F(DensityTest, AtTwiceTheDensityFramesRivetsAndHatchesAreEveryPixelDoubled) {
  std::vector<Element> elements;
  for (int style = 1; style <= 7; ++style)
    for (int width : {1, 3}) elements.push_back({style, width, 0, 0});
  for (int brush = 1; brush <= 6; ++brush) elements.push_back({0, 0, brush, 0});
  for (int rivets = 1; rivets <= 4; ++rivets) elements.push_back({2, 2, 5, rivets});
  auto low = Make(40, 24);
  auto high = MakeAt(192, 80, 48);
  for (const Element& e : elements) {
    DrawElement(*low, e, 1, 3, 1, 39, 23);  // odd edges: hatches keep to the window's grid
    DrawElement(*high, e, 2, 3, 1, 39, 23);
    int wrong = 0;
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 80; ++x) wrong += At(*high, x, y) != At(*low, x / 2, y / 2);
    EXPECT_EQ(wrong, 0) << "border " << e.border_style << "/" << e.border_width << " brush "
                        << e.brush_style << " rivets " << e.rivets;
  }
}

TEST_F(DensityTest, FractionalDensitiesPaintWholeBandsWithoutSeams) {
  for (int dpi : {120, 144}) {
    const DeviceScale scale(dpi);
    auto dc = MakeAt(dpi, 60, 40);
    // Every frame covers its whole strip, Px(3) wide for a line 3 wide, Px(2) for the double
    // lines (1 wide), and nothing inside it.
    for (int style = 1; style <= 7; ++style) {
      const bool double_line = style >= 4;
      const int strip = static_cast<int>(scale.Px(double_line ? 2 : 3));
      DrawElement(*dc, {style, double_line ? 1 : 3, 0, 0}, 1, 0, 0, 60, 40);
      for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
          const int in = std::min({x, y, 59 - x, 39 - y});
          if (in < strip) {
            EXPECT_NE(At(*dc, x, y), kMarker) << style << " " << x << "," << y;
          } else if (in == strip && !double_line) {
            EXPECT_EQ(At(*dc, x, y), 0x40C080u) << style << " " << x << "," << y;
          }
        }
    }
  }
}

// Pictures: held at the device's density, smoothly, each resampled once.
TEST_F(DensityTest, PicturesAreHeldAtTheDevicesDensity) {
  std::vector<COLORREF> halves;  // 4 x 2, black left, white right
  for (int i = 0; i < 8; ++i) halves.push_back(i % 4 < 2 ? 0x000000 : 0xFFFFFF);
  const StdPictureRef at96 = StdPicture::FromPixels(4, 2, halves);
  const StdPictureRef at192 = StdPicture::FromPixels(4, 2, halves, vbPicTypeBitmap, 192);
  PictureBox box;
  const auto red = [&box](int x, int y) { return GetRValue(gdi::GetPixel(box.hDC(), x, y)); };
  for (auto [picture, dpi, width] : {std::tuple{at192, 96, 4}, {at192, 192, 4}, {at96, 120, 5}}) {
    box.SetPicture(picture, dpi);  // as it is at 96 dpi, or when made for the device
    EXPECT_EQ(box.ScaleWidth(), width) << dpi;
  }
  box.SetPicture(at96, 192);  // twice the size, the step between the halves smoothed
  EXPECT_EQ(box.ScaleHeight(), 4);
  EXPECT_EQ(red(0, 0), 0);  // the edges keep their colours
  EXPECT_EQ(red(7, 3), 255);
  EXPECT_TRUE(0 < red(3, 1) && red(3, 1) < red(4, 1) && red(4, 1) < 255);
  const int objects = gdi::LiveObjectCount();
  box.SetPicture(at96, 120);
  box.SetPicture(at96, 192);
  EXPECT_EQ(gdi::LiveObjectCount(), objects) << "a copy made again";
  box.Clear();
}

}  // namespace
}  // namespace vg
