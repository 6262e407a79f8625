// What gates the render pass: Redraw, DontRefreshAfterPropertyPage and the scale ranges.
#include "tests/control/control_fixture.h"

namespace vg {
namespace {
using Peer = VarigaugeTestPeer;
using testing::ErrorOf;
using testing::Pixels;
using testing::PlacedControl;

constexpr COLORREF kGrey = 0xC0C0C0;

TEST(DrawingSwitches, RedrawFalseHoldsBackTenChangesAndTrueDrawsThemOnce) {
  PlacedControl p(Pixels(40, 10));
  Varigauge& c = p.c();
  int updates = p.Updates();
  c.put_Redraw(false);
  c.put_BackColor(0x0000FF);
  c.put_BorderWidth(2);
  c.put_BorderStyle(0);
  c.put_HMaxValue(50);
  c.put_VMaxValue(60);
  c.put_Caption("Hello");
  c.put_CaptionOffset(5);
  c.put_GradientColor(0x00FF00);
  c.put_DisabledColor(0x111111);
  c.Refresh();
  EXPECT_EQ(p.Updates(), updates);
  EXPECT_EQ(p.Pixel(20, 5), kGrey);
  c.put_Redraw(true);
  EXPECT_EQ(p.Updates(), updates + 1);
  EXPECT_EQ(p.Pixel(1, 1), 0x0000FFu);  // no frame any more, away from the caption
}

TEST(DrawingSwitches, ScaleFactorsKeepTheirLastValuesWhileNothingIsDrawn) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  EXPECT_EQ(Peer::HScale(c), 2.0f);  // (202 - 2) / 100
  EXPECT_EQ(Peer::VScale(c), 0.5f);  // (52 - 2) / 100
  c.put_Redraw(false);
  c.put_HMaxValue(200);
  EXPECT_EQ(Peer::HScale(c), 2.0f);
  c.put_Redraw(true);
  EXPECT_EQ(Peer::HScale(c), 1.0f);
}

TEST(DrawingSwitches, ScaleFactorsUseSinglePrecisionAndMayBeNegative) {
  PlacedControl p;  // 60 x 21 pixels
  EXPECT_EQ(Peer::HScale(p.c()), 58.0f / 100.0f);
  EXPECT_EQ(Peer::VScale(p.c()), 19.0f / 100.0f);
  p.c().put_HMinValue(100);
  p.c().put_HMaxValue(0);
  EXPECT_EQ(Peer::HScale(p.c()), -0.58f);
}

TEST(DrawingSwitches, EqualScaleBoundsDrawNothingAndTheWindowKeepsItsPicture) {
  PlacedControl p(Pixels(40, 10));
  Varigauge& c = p.c();
  c.put_HMinValue(100);  // equal to HMaxValue
  int updates = p.Updates();
  c.put_BackColor(0x00FF00);
  c.Refresh();
  p.host.Paint();
  EXPECT_EQ(p.Updates(), updates);
  EXPECT_EQ(p.Pixel(20, 5), kGrey);
  c.put_HMinValue(0);
  EXPECT_EQ(p.Pixel(20, 5), 0x00FF00u);
}

TEST(DrawingSwitches, ARangeBeyondSixteenBitsIsAnOverflowAndKeepsTheSetting) {
  PlacedControl p(Pixels(40, 10));
  Varigauge& c = p.c();
  c.put_HMaxValue(32767);
  int updates = p.Updates();
  EXPECT_EQ(ErrorOf([&] { c.put_HMinValue(-1); }), err::kOverflow);
  EXPECT_EQ(c.get_HMinValue(), -1);  // stored before the pass failed
  EXPECT_EQ(ErrorOf([&] { c.Refresh(); }), err::kOverflow);
  // The window system's paint: reported by the host, not raised into its event loop.
  EXPECT_EQ(ErrorOf([&] { p.host.Paint(); }), 0);
  const std::vector<BoundaryFault> faults = p.host.TakeFaults();
  ASSERT_EQ(faults.size(), 1u);
  EXPECT_EQ(faults[0].number, err::kOverflow);
  EXPECT_EQ(p.Updates(), updates);
  c.put_HMinValue(0);
  EXPECT_EQ(ErrorOf([&] { c.put_VMinValue(-32768); }), err::kOverflow);  // 100 - (-32768)
}

TEST(DrawingSwitches, DontRefreshAfterPropertyPageIsForDesignTimeOnly) {
  PlacedControl run(Pixels(40, 10));
  EXPECT_EQ(ErrorOf([&] { run.c().get_DontRefreshAfterPropertyPage(); }), 393);
  EXPECT_EQ(ErrorOf([&] { run.c().put_DontRefreshAfterPropertyPage(true); }), 393);
  EXPECT_FALSE(Peer::state(run.c()).dont_refresh_after_property_page);

  PlacedControl design(Pixels(40, 10, /*user_mode=*/false));
  EXPECT_FALSE(design.c().get_DontRefreshAfterPropertyPage());
  design.c().put_DontRefreshAfterPropertyPage(true);
  EXPECT_TRUE(design.c().get_DontRefreshAfterPropertyPage());
}

TEST(DrawingSwitches, DontRefreshAfterPropertyPageHoldsDrawingUntilSwitchedOff) {
  PlacedControl p(Pixels(40, 10, /*user_mode=*/false));
  Varigauge& c = p.c();
  p.host.TakeNotifications();
  int updates = p.Updates();
  c.put_DontRefreshAfterPropertyPage(true);
  EXPECT_EQ(p.Updates(), updates);
  c.put_CaptionFont3D(2);
  c.put_BackColor(0x00FF00);
  c.Refresh();
  EXPECT_EQ(c.get_CaptionFont3D(), 2);
  EXPECT_EQ(p.Updates(), updates);
  c.put_DontRefreshAfterPropertyPage(false);
  EXPECT_EQ(p.Updates(), updates + 1);
  EXPECT_EQ(p.Pixel(20, 5), 0x00FF00u);
  std::vector<std::string> expected = {"DontRefreshAfterPropertyPage", "CaptionFont3D", "BackColor",
                                       "DontRefreshAfterPropertyPage"};
  EXPECT_EQ(p.host.TakeNotifications(), expected);
}

TEST(DrawingSwitches, PictureAutoSizeResizesTheControlFromInsideThePass) {
  PlacedControl p(Pixels(40, 10));
  Varigauge& c = p.c();
  c.put_Redraw(false);
  c.put_BorderWidth(2);
  c.putref_Picture(StdPicture::FromPixels(100, 20, std::vector<COLORREF>(2000, 0xFF)));
  c.put_PictureAutoSize(3);  // both
  c.put_Redraw(true);
  EXPECT_EQ(p.host.Width(), 1560);  // (100 + 2 x 2) x 15
  EXPECT_EQ(p.host.Height(), 360);  // (20 + 2 x 2) x 15
  EXPECT_EQ(Peer::surface(c)->CtlWidth(), 104);
  // Drawn at the new size in the same pass: the picture fills the area inside the frame.
  EXPECT_EQ(p.Pixel(2, 2), 0xFFu);
  EXPECT_EQ(p.Pixel(101, 21), 0xFFu);
  EXPECT_EQ(p.Pixel(103, 23), 0xFFFFFFu);
  // Already at the picture's size: the next pass keeps the surface.
  gdi::HDC surface = Peer::surface(c)->MemDC();
  c.Refresh();
  EXPECT_EQ(Peer::surface(c)->MemDC(), surface);
}

}  // namespace
}  // namespace vg
