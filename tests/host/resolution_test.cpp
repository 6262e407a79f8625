// Resolution belongs to each host: controls on screens of different density, in one
// process, draw what each draws alone.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "control/varigauge.h"
#include "platform/automation/std_picture.h"
#include "platform/host/headless_host.h"
#include "surface/off_screen_dc.h"
#include "tests/control/control_fixture.h"
#include "tests/control/test_peer.h"

namespace vg {
namespace {

// A control with a caption, upright or turned, in a window of 120 x 30 pixels at 96 dpi
// (the same outer size in twips at any resolution).
struct Bar {
  Bar(int dpi, int16_t angle) : host(Options(dpi)), control(Varigauge::PlaceIn(host)) {
    control->put_CaptionAngle(angle);
    control->put_Caption("Gauge 42%");
  }
  static HostOptions Options(int dpi) {
    HostOptions o;
    o.dpi = dpi;
    o.width_px = 120 * dpi / 96;
    o.height_px = 30 * dpi / 96;
    return o;
  }
  std::vector<COLORREF> Pixels() {
    host.Paint();
    const gdi::PixelView v = host.Pixels();
    return {v.pixels, v.pixels + static_cast<size_t>(v.width) * v.height};
  }
  HeadlessHost host;
  std::shared_ptr<Varigauge> control;
};

TEST(Resolution, HostsAtDifferentResolutionsDrawWhatEachDrawsAlone) {
  for (int16_t angle : {int16_t{0}, int16_t{30}}) {
    const std::vector<COLORREF> low_alone = Bar(96, angle).Pixels();
    const std::vector<COLORREF> high_alone = Bar(192, angle).Pixels();
    ASSERT_EQ(high_alone.size(), 4 * low_alone.size());
    {
      Bar low(96, angle);
      Bar high(192, angle);
      EXPECT_TRUE(low.Pixels() == low_alone) << "96 dpi first, angle " << angle;
      EXPECT_TRUE(high.Pixels() == high_alone) << "96 dpi first, angle " << angle;
    }
    {
      Bar high(192, angle);
      Bar low(96, angle);
      EXPECT_TRUE(high.Pixels() == high_alone) << "192 dpi first, angle " << angle;
      EXPECT_TRUE(low.Pixels() == low_alone) << "192 dpi first, angle " << angle;
    }
  }
}

TEST(Resolution, TheCaptionFontIsMadeAtItsWindowsResolution) {
  Bar high(192, 0);
  Bar low(96, 0);  // made last: it must not change what the first one draws with
  // 8.25 points at 192 dpi and at 96.
  EXPECT_EQ(VarigaugeTestPeer::surface(*high.control)->TurnedFont(45).lfHeight, -22);
  EXPECT_EQ(VarigaugeTestPeer::surface(*low.control)->TurnedFont(45).lfHeight, -11);
}

TEST(Resolution, TheControlKeepsTwipsPerPixelRoundedHalvesToEven) {
  struct Row {
    int dpi;
    int16_t twips;
  };
  // 97 dpi: 14.85 (truncating gives 14); 86 dpi: 16.74; 192 dpi: 7.5; 64 dpi: 22.5.
  for (Row row : {Row{97, 15}, Row{86, 17}, Row{192, 8}, Row{64, 22}, Row{100, 14}}) {
    HostOptions o;
    o.dpi = row.dpi;
    HeadlessHost host(o);
    std::shared_ptr<Varigauge> c = Varigauge::PlaceIn(host);
    EXPECT_EQ(VarigaugeTestPeer::TwipsPerPixelX(*c), row.twips) << row.dpi;
    EXPECT_EQ(VarigaugeTestPeer::TwipsPerPixelY(*c), row.twips) << row.dpi;
  }
}

TEST(Resolution, TurnedTextIsMadeFromPointsAtTheSurfacesResolution) {
  struct Row {
    double points;
    int dpi;
    int32_t height;
  };
  // points x 20 / twips per pixel: 1.5 at 120 dpi (12) is 2.5 -> 2; 1.875 at 96 (15) is
  // 2.5 -> 2; 2.625 at 96 is 3.5 -> 4; 8.25 at 192 (7.5) is 22.
  for (Row row : {Row{1.5, 120, -2}, Row{1.875, 96, -2}, Row{2.625, 96, -4}, Row{8.25, 192, -22},
                  Row{8.25, 96, -11}}) {
    gdi::HDC window = gdi::CreateWindowDC(20, 10, row.dpi);
    {
      OffScreenDC surface;
      surface.Initialize(window, 20, 10);
      surface.putref_TextFont(StdFont::Create("Liberation Sans", row.points));
      EXPECT_EQ(surface.TurnedFont(30).lfHeight, row.height) << row.points << " pt, " << row.dpi;
      EXPECT_EQ(surface.TurnedFont(30).lfEscapement, 300);
    }
    gdi::DestroyWindowDC(window);
  }
}

TEST(Resolution, PicturesReportTheirSizeAtTheirDevicesResolution) {
  // 100 pixels: 2645.83 HIMETRIC at 96 dpi, 1322.92 at 192.
  auto low = StdPicture::FromPixels(100, 30, std::vector<COLORREF>(3000, 0));
  auto high = StdPicture::FromPixels(100, 30, std::vector<COLORREF>(3000, 0), vbPicTypeBitmap, 192);
  EXPECT_EQ(low->HimetricWidth(), 2646);
  EXPECT_EQ(high->HimetricWidth(), 1323);
  EXPECT_EQ(high->HimetricHeight(), 397);  // 396.875
  EXPECT_EQ(HimetricToPixels(high->HimetricWidth(), 192), 100);
  EXPECT_EQ(PixelsToHimetric(1, 192), 13);  // 13.229
  EXPECT_EQ(HimetricToPixels(2540, 72), 72);
}

}  // namespace
}  // namespace vg
