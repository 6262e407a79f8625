#include <gtest/gtest.h>

#include "platform/host/headless_host.h"

namespace vg {
namespace {

// A control that only records the framework events it receives.
class Recorder : public ControlEvents {
 public:
  explicit Recorder(std::vector<std::string>* log) : log_(log) {}
  void UserControl_Initialize() override { log_->push_back("Initialize"); }
  void UserControl_InitProperties() override { log_->push_back("InitProperties"); }
  void UserControl_Resize() override { log_->push_back("Resize"); }
  void UserControl_Paint() override { log_->push_back("Paint"); }
  void UserControl_Terminate() override { log_->push_back("Terminate"); }

 private:
  std::vector<std::string>* log_;
};

TEST(HeadlessHost, DeliversFrameworkEventsInLifecycleOrder) {
  std::vector<std::string> log;
  {
    HeadlessHost host;
    host.Place([&](UserControl&) { return std::make_shared<Recorder>(&log); });
    host.ResizePixels(30, 10);
    host.Paint();
  }
  std::vector<std::string> expected = {"Initialize", "InitProperties", "Resize",   "Paint",
                                       "Resize",     "Paint",          "Terminate"};
  EXPECT_EQ(log, expected);
}

TEST(HeadlessHost, MeasuresTheDefaultSizeInTwipsAndPixels) {
  HeadlessHost host;
  EXPECT_EQ(host.Width(), 900);
  EXPECT_EQ(host.Height(), 315);
  EXPECT_EQ(host.ScaleWidth(), 60.0);
  EXPECT_EQ(host.ScaleHeight(), 21.0);
  EXPECT_EQ(host.TwipsPerPixelX(), 15.0);
  EXPECT_EQ(host.Pixels().width, 60);
  EXPECT_EQ(host.AmbientFont()->Name(), "MS Sans Serif");
  EXPECT_EQ(host.AmbientFont()->Size(), 8.25);
}

TEST(HeadlessHost, OtherResolutionsChangeTwipsPerPixel) {
  HeadlessHostOptions o;
  o.dpi = 120;
  o.width_px = 50;
  o.height_px = 10;
  HeadlessHost host(o);
  EXPECT_EQ(host.TwipsPerPixelX(), 12.0);
  EXPECT_EQ(host.Width(), 600);
  host.SetWidth(125);  // 10.4 pixels: the window takes whole pixels
  EXPECT_DOUBLE_EQ(host.ScaleWidth(), 125.0 / 12.0);
  EXPECT_EQ(host.Pixels().width, 10);
}

TEST(HeadlessHost, RefusesColoursItCannotTranslate) {
  HeadlessHost host;
  EXPECT_THROW(host.SetBackColor(0x80000099), AutomationError);
  EXPECT_THROW(host.SetFont(nullptr), AutomationError);
  host.SetBackColor(0x80000005);
  EXPECT_EQ(host.BackColor(), 0x80000005u);
}

}  // namespace
}  // namespace vg
