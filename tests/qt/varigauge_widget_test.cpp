// The control in a real Qt window: what the widget shows equals what the headless host
// draws for the same settings, and changes reach the screen without further events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QSignalSpy>

#include "control/varigauge.h"
#include "platform/host/headless_host.h"
#include "qt/varigauge_widget.h"
#include "tests/qt/widget_pixels.h"

namespace vg {
namespace {

using qt_test::Configure;
using qt_test::Headless;
using qt_test::Presented;

TEST(VarigaugeWidget, ANewWidgetHasTheDefaultOuterSize) {
  VarigaugeWidget w;
  EXPECT_EQ(w.host().Width(), 900);
  EXPECT_EQ(w.host().Height(), 315);
  EXPECT_EQ(w.width(), 60);
  EXPECT_EQ(w.height(), 21);
  EXPECT_DOUBLE_EQ(w.host().ScaleWidth(), 60.0);
}

TEST(VarigaugeWidget, PresentsWhatTheHeadlessHostDraws) {
  VarigaugeWidget w;
  w.resize(200, 30);
  Configure(w.control());
  HeadlessHost host({.width_px = 200, .height_px = 30});
  host.Place(&Varigauge::Create);
  Configure(static_cast<Varigauge&>(*host.control()));
  EXPECT_EQ(Presented(w), Headless(host));
}

TEST(VarigaugeWidget, PropertyChangesAreSignalled) {
  VarigaugeWidget w;
  QSignalSpy spy(&w, &VarigaugeWidget::propertyChanged);
  w.control().put_BackColor(0x00FF00);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toString(), "BackColor");
  EXPECT_EQ(Presented(w)[5 * 60 + 30], 0x00FF00u);
}

}  // namespace
}  // namespace vg
