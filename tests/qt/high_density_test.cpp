// The widget on a screen of device pixel ratio 2 (this program runs with QT_SCALE_FACTOR=2):
// it draws in device pixels at twice the resolution, so its pixels equal a headless host's
// at 192 dpi, while its outer size covers the same logical area as at ratio 1.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/qt/widget_pixels.h"

namespace vg {
namespace {

TEST(HighDensity, TheScreenHasRatioTwo) {
  VarigaugeWidget w;
  ASSERT_EQ(w.devicePixelRatioF(), 2.0);
  EXPECT_EQ(w.host().Dpi(), 2 * w.logicalDpiX());
}

TEST(HighDensity, ADefaultControlCoversTheSameLogicalSizeInTwiceThePixels) {
  VarigaugeWidget w;
  EXPECT_EQ(w.host().Width(), 900);
  EXPECT_EQ(w.host().Height(), 315);
  EXPECT_EQ(w.host().TwipsPerPixelX(), 7.5);
  EXPECT_EQ(w.width(), 60);  // as at ratio 1
  EXPECT_EQ(w.height(), 21);
  const gdi::PixelView view = gdi::GetPixels(w.host().hDC());
  EXPECT_EQ(view.width, 120);
  EXPECT_EQ(view.height, 42);
}

TEST(HighDensity, PixelsEqualAHeadlessHostAtTwiceTheResolution) {
  VarigaugeWidget w;
  w.resize(100, 15);
  qt_test::Configure(w.control());
  HeadlessHost host({.width_px = 200, .height_px = 30, .dpi = 192});
  qt_test::Configure(*Varigauge::PlaceIn(host));
  const std::vector<COLORREF> presented = qt_test::Presented(w);
  ASSERT_EQ(presented.size(), 200u * 30u);
  EXPECT_EQ(presented, qt_test::Headless(host));
}

}  // namespace
}  // namespace vg

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", "/tmp");
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
