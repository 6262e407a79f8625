// Presenting a control's window: the device pixels a logical area shows, and a window that
// keeps the screen's layout once presented, showing the pixels a headless host holds.
#include <gtest/gtest.h>

#include <QApplication>

#include "control/varigauge.h"
#include "platform/host/headless_host.h"
#include "qt/varigauge_widget.h"
#include "qt/window_present.h"
#include "tests/qt/widget_pixels.h"

namespace vg {
namespace {

TEST(WindowPresent, ALogicalAreaShowsEveryDevicePixelItCovers) {
  struct Row {
    QRect exposed;
    double ratio;
    QRect expected;
  };
  for (const Row& row : {
           Row{{0, 0, 300, 25}, 1.0, {0, 0, 300, 25}}, Row{{10, 5, 20, 10}, 1.0, {10, 5, 20, 10}},
           Row{{10, 5, 20, 10}, 2.0, {20, 10, 40, 15}},    // cut to the 25 rows
           Row{{1, 1, 3, 3}, 1.5, {1, 1, 5, 5}},           // 1.5..6 covers pixels 1..5
           Row{{290, 20, 50, 50}, 1.0, {290, 20, 10, 5}},  // cut to the window
           Row{{400, 0, 10, 10}, 1.0, {}},                 // outside it
           Row{{0, 0, 10, 10}, 0.0, {0, 0, 10, 10}},       // no ratio: 1
       }) {
    const QRect shown = DevicePixelsShowing(row.exposed, row.ratio, 300, 25);
    if (row.expected.isEmpty())
      EXPECT_TRUE(shown.isEmpty()) << row.ratio;
    else
      EXPECT_EQ(shown, row.expected) << row.ratio;
  }
}

TEST(WindowPresent, APresentedWindowKeepsTheScreenLayoutAndShowsWhatAHeadlessHostHolds) {
  VarigaugeWidget w;
  w.resize(100, 15);
  qt_test::Configure(w.control());
  w.show();
  QApplication::processEvents();
  HeadlessHost host({.width_px = 100, .height_px = 15});
  const auto headless = Varigauge::PlaceIn(host);
  qt_test::Configure(*headless);
  EXPECT_EQ(qt_test::Presented(w), qt_test::Headless(host));
  const gdi::PixelView view = gdi::GetPixels(w.host().hDC());
  EXPECT_TRUE(view.screen_layout);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(gdi::GetPixel(w.host().hDC(), x, y), host.Pixel(x, y));
  // A later pass reaches the window in the screen's layout too.
  w.control().put_Caption("Again");
  headless->put_Caption("Again");
  EXPECT_EQ(qt_test::Presented(w), qt_test::Headless(host));
}

}  // namespace
}  // namespace vg
