#include "control/enums.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {
using Peer = VarigaugeTestPeer;
using testing::Pixels;
using testing::PlacedControl;

TEST(Lifecycle, ACreatedControlIsUnconfiguredAndDrawsNothing) {
  HeadlessHost host(Pixels(20, 10));
  std::shared_ptr<Varigauge> control;
  host.Create([&](UserControl& site) { return control = Varigauge::Create(site); });
  EXPECT_FALSE(control->get_Redraw());
  EXPECT_EQ(control->get_BackColor(), 0u);
  EXPECT_EQ(control->get_HMaxValue(), 0);
  ASSERT_NE(Peer::surface(*control), nullptr);
  EXPECT_EQ(Peer::surface(*control)->CtlWidth(), 20);
  host.Paint();
  EXPECT_EQ(gdi::WindowUpdateCount(host.hDC()), 0);
}

TEST(Lifecycle, NewPlacementGivesEveryDefault) {
  PlacedControl p;
  Varigauge& c = p.c();
  EXPECT_EQ(c.get_Blocks(), 0);
  EXPECT_FALSE(Peer::blocks(c).exists());
  EXPECT_EQ(Peer::state(c).index_block, 0);
  EXPECT_EQ(c.get_BackColor(), 0xC0C0C0u);
  EXPECT_EQ(c.get_ForeColor(), 0x80000012u);
  EXPECT_TRUE(c.get_Enabled());
  EXPECT_EQ(c.get_BorderStyle(), vgInset);
  EXPECT_EQ(c.get_BorderWidth(), 1);
  EXPECT_EQ(c.get_HMinValue(), 0);
  EXPECT_EQ(c.get_HMaxValue(), 100);
  EXPECT_EQ(c.get_VMinValue(), 0);
  EXPECT_EQ(c.get_VMaxValue(), 100);
  EXPECT_EQ(c.get_BrushStyle(), vgNoneBrush);
  EXPECT_EQ(c.get_BrushColor(), 0u);
  EXPECT_EQ(c.get_Caption(), "");
  EXPECT_EQ(c.get_CaptionAlignment(), vgCenterCenter);
  EXPECT_EQ(c.get_CaptionOffset(), 3);
  EXPECT_EQ(c.get_CaptionAngle(), 0);
  EXPECT_EQ(c.get_CaptionAutoAngle(), 0);
  EXPECT_EQ(c.get_CaptionFont3D(), 0);
  EXPECT_EQ(c.get_DisabledColor(), 0x808080u);
  EXPECT_EQ(c.get_Orientation(), vgFromLeft);
  EXPECT_EQ(Peer::state(c).special_clear_all_block, vgDontClear);
  EXPECT_FALSE(Peer::state(c).dont_refresh_after_property_page);
  EXPECT_TRUE(c.get_Redraw());
  EXPECT_EQ(Peer::state(c).timer_time_interval, 1000);
  EXPECT_FALSE(Peer::state(c).timer_time_enabled);
  EXPECT_EQ(Peer::state(c).timer_disk_interval, 60000);
  EXPECT_FALSE(Peer::state(c).timer_disk_enabled);
  EXPECT_EQ(c.get_RivetsStyle(), vgNoneRivets);
  EXPECT_EQ(c.get_GradientStyle(), vgNoneGradient);
  EXPECT_EQ(c.get_GradientGranularity(), vgDefault);
  EXPECT_EQ(c.get_GradientColor(), 0xFF0000u);
  EXPECT_EQ(c.get_GradientColorEnd(), 0u);
  ASSERT_NE(c.get_Picture(), nullptr);  // an empty picture, not a missing one
  EXPECT_EQ(c.get_Picture()->Type(), vbPicTypeNone);
  EXPECT_EQ(c.get_PictureAutoSize(), 0);
  EXPECT_EQ(c.get_PictureTile(), 0);
  EXPECT_EQ(c.get_PictureOffset(), 3);
  EXPECT_EQ(c.get_PictureAlignment(), 0);
  EXPECT_EQ(c.get_Font(), p.host.AmbientFont());
  EXPECT_EQ(Peer::TwipsPerPixelX(c), 15);
  EXPECT_EQ(Peer::TwipsPerPixelY(c), 15);
}

TEST(Lifecycle, PlacementTellsTheHostOnlyAboutTheFont) {
  PlacedControl p;
  EXPECT_EQ(p.host.TakeNotifications(), std::vector<std::string>{"Font"});
}

TEST(Lifecycle, TwipsPerPixelAreKeptRounded) {
  HeadlessHostOptions o = Pixels(10, 10);
  o.dpi = 100;  // 14.4 twips per pixel
  PlacedControl p(o);
  EXPECT_EQ(Peer::TwipsPerPixelX(p.c()), 14);
}

TEST(Lifecycle, ANewControlDrawsItsBackgroundAndInsetFrameOnce) {
  PlacedControl p(Pixels(30, 12));
  EXPECT_EQ(p.Updates(), 1);
  // An inset frame one pixel wide: grey top and left, white bottom and right.
  for (int x = 0; x < 30; ++x) {
    EXPECT_EQ(p.Pixel(x, 0), 0x808080u) << x;  // the top line starts at the right edge
    EXPECT_EQ(p.Pixel(x, 11), 0xFFFFFFu) << x;
  }
  for (int y = 1; y < 11; ++y) {
    EXPECT_EQ(p.Pixel(0, y), 0x808080u) << y;
    EXPECT_EQ(p.Pixel(29, y), 0xFFFFFFu) << y;
    for (int x = 1; x < 29; ++x) EXPECT_EQ(p.Pixel(x, y), 0xC0C0C0u) << x << "," << y;
  }
}

TEST(Lifecycle, ResizeReplacesTheSurfaceAndTheNextPaintUsesTheNewSize) {
  PlacedControl p(Pixels(30, 12));
  gdi::HDC old_context = Peer::surface(p.c())->MemDC();
  int objects = gdi::LiveObjectCount();
  p.host.ResizePixels(50, 20);
  EXPECT_EQ(gdi::GetObjectType(old_context), 0);  // released, not reused
  EXPECT_NE(Peer::surface(p.c())->MemDC(), old_context);
  EXPECT_EQ(Peer::surface(p.c())->CtlWidth(), 50);
  EXPECT_EQ(Peer::surface(p.c())->CtlHeight(), 20);
  EXPECT_EQ(gdi::LiveObjectCount(), objects);  // the old context and bitmap are gone
  EXPECT_EQ(p.Pixel(45, 15), 0u);              // not drawn until painted
  p.host.Paint();
  EXPECT_EQ(p.Pixel(45, 15), 0xC0C0C0u);
  EXPECT_EQ(p.Pixel(48, 18), 0xC0C0C0u);
  EXPECT_EQ(p.Pixel(49, 19), 0xFFFFFFu);  // the frame at the new edge
}

TEST(Lifecycle, GraphicsObjectsReturnToTheirCountAfterCreateResizeDestroy) {
  int start = gdi::LiveObjectCount();
  {
    PlacedControl p(Pixels(30, 12));
    p.host.ResizePixels(31, 13);
    p.host.ResizePixels(0, 0);
    p.host.Paint();
    p.host.ResizePixels(30, 12);
    p.c().Refresh();
    p.host.Destroy();
    EXPECT_EQ(gdi::LiveObjectCount(), start);
  }
  EXPECT_EQ(gdi::LiveObjectCount(), start);
}

TEST(Lifecycle, TerminateReleasesTheSurface) {
  PlacedControl p(Pixels(30, 12));
  std::shared_ptr<Varigauge> keep = p.control;
  p.host.Destroy();
  EXPECT_EQ(Peer::surface(*keep), nullptr);
  EXPECT_EQ(p.host.FrameworkLog().back(), "UserControl_Terminate");
}

}  // namespace
}  // namespace vg
