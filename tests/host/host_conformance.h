#pragma once
// What every host must do, whatever toolkit shows its windows: the shared window rules
// (twips rounding, no Resize at an unchanged size, colour and font refusal, the order of
// framework events, the bitmap cap), a window context at the host's resolution, and one
// report per copy of the surface with the rectangle it changed. A host joins by giving a
// traits type and instantiating the suite:
//
//   struct Traits {
//     using Host = ...;                                     // derives from HostBase
//     static std::unique_ptr<Host> Make(const HostOptions&);
//     // The window areas the host scheduled for repainting since the last call.
//     static std::vector<gdi::RECT> TakeWindowChanges(Host&);
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, HostConformance, ::testing::Types<Traits>);
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/errors.h"
#include "platform/gdi/gdi.h"
#include "platform/host/host_base.h"
#include "surface/off_screen_dc.h"

namespace vg::conformance {

// A control that records the framework events it receives and, when painted, fills its
// surface with one colour and copies the block `blast` to the window (-1: the whole).
class ProbeControl : public ControlEvents {
 public:
  explicit ProbeControl(UserControl& host) : host_(host) {}
  void UserControl_Initialize() override { log.push_back("Initialize"); }
  void UserControl_InitProperties() override { log.push_back("InitProperties"); }
  void UserControl_Resize() override { log.push_back("Resize"); }
  void UserControl_Paint() override {
    log.push_back("Paint");
    OffScreenDC surface;
    surface.Initialize(host_.hDC(), RoundToInt32(host_.ScaleWidth()),
                       RoundToInt32(host_.ScaleHeight()));
    surface.put_Left(0), surface.put_Top(0);
    surface.put_Right(surface.CtlWidth()), surface.put_Bottom(surface.CtlHeight());
    surface.put_BackgroundColor(0x3366CC);
    surface.FillRectangle();
    surface.BlastToScreen(blast.left, blast.top, blast.right, blast.bottom);
  }
  void UserControl_Terminate() override { log.push_back("Terminate"); }
  void UserControl_MouseUp(int16_t button, int16_t, float x, float y) override {
    log.push_back("MouseUp " + std::to_string(button) + " " + std::to_string(int(x)) + " " +
                  std::to_string(int(y)));
  }
  void UserControl_Click() override { log.push_back("Click"); }
  void UserControl_DblClick() override { log.push_back("DblClick"); }

  std::vector<std::string> log;
  gdi::RECT blast{0, 0, -1, -1};  // left, top, width, height as BlastToScreen takes them

 private:
  UserControl& host_;
};

inline std::array<int32_t, 4> Box(const gdi::RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

template <class Traits>
class HostConformance : public ::testing::Test {
 protected:
  using Host = typename Traits::Host;

  static HostOptions Options(int dpi, int width_px = -1, int height_px = -1) {
    HostOptions o;
    o.dpi = dpi;
    o.width_px = width_px;
    o.height_px = height_px;
    return o;
  }
  std::unique_ptr<Host> Make(const HostOptions& o = {}) { return Traits::Make(o); }
  // Places a probe in the host; the probe lives as long as the host holds it.
  ProbeControl& Place(Host& host) {
    ProbeControl* probe = nullptr;
    host.Place([&probe](UserControl& site) {
      auto p = std::make_shared<ProbeControl>(site);
      probe = p.get();
      return p;
    });
    return *probe;
  }
  std::vector<gdi::RECT> Changes(Host& host) { return Traits::TakeWindowChanges(host); }

  template <class F>
  static int ErrorOf(F&& f) {
    try {
      f();
    } catch (const AutomationError& e) {
      return e.number();
    }
    return 0;
  }
};

TYPED_TEST_SUITE_P(HostConformance);

TYPED_TEST_P(HostConformance, ANewControlGetsTheDefaultOuterSizeAtTheHostsResolution) {
  struct Row {
    int dpi;
    double twips_per_pixel;
    int window_w, window_h;
  };
  // 900 x 315 twips; at 120 dpi 26.25 pixels high become 26.
  for (Row row : {Row{96, 15.0, 60, 21}, Row{120, 12.0, 75, 26}, Row{192, 7.5, 120, 42}}) {
    auto host = this->Make(this->Options(row.dpi));
    EXPECT_EQ(host->Width(), 900);
    EXPECT_EQ(host->Height(), 315);
    EXPECT_EQ(host->TwipsPerPixelX(), row.twips_per_pixel);
    EXPECT_EQ(host->TwipsPerPixelY(), row.twips_per_pixel);
    EXPECT_DOUBLE_EQ(host->ScaleHeight(), 315.0 / row.twips_per_pixel);
    const gdi::PixelView view = gdi::GetPixels(host->hDC());
    EXPECT_EQ(view.width, row.window_w) << row.dpi;
    EXPECT_EQ(view.height, row.window_h) << row.dpi;
    // The window context answers with the host's resolution, and so does a memory
    // context made compatible with it.
    EXPECT_EQ(gdi::GetDeviceCaps(host->hDC(), gdi::LOGPIXELSX), row.dpi);
    EXPECT_EQ(gdi::GetDeviceCaps(host->hDC(), gdi::LOGPIXELSY), row.dpi);
    gdi::HDC memory = gdi::CreateCompatibleDC(host->hDC());
    EXPECT_EQ(gdi::GetDeviceCaps(memory, gdi::LOGPIXELSY), row.dpi);
    gdi::DeleteDC(memory);
  }
}

TYPED_TEST_P(HostConformance, TwipsAndWindowPixelsRoundHalvesToEven) {
  struct Row {
    int dpi, pixels;
    int32_t twips;
  };
  // 192 dpi: 7.5 twips a pixel. 100 dpi: 14.4.
  for (Row row : {Row{192, 1, 8}, Row{192, 3, 22}, Row{192, 5, 38}, Row{100, 3, 43},
                  Row{100, 7, 101}, Row{96, 7, 105}}) {
    auto host = this->Make(this->Options(row.dpi, row.pixels, 1));
    EXPECT_EQ(host->Width(), row.twips) << row.dpi << " dpi, " << row.pixels << " px";
    auto resized = this->Make(this->Options(row.dpi, 2, 1));
    resized->ResizePixels(row.pixels, 1);
    EXPECT_EQ(resized->Width(), row.twips) << row.dpi << " dpi, " << row.pixels << " px";
  }
  struct Back {
    int dpi;
    int32_t twips;
    int pixels;
  };
  // 120 dpi: 12 twips a pixel; 30 twips are 2.5 pixels (2), 18 are 1.5 (2), 125 are 10.4.
  for (Back row : {Back{120, 30, 2}, Back{120, 18, 2}, Back{120, 125, 10}, Back{192, 1, 0}}) {
    auto host = this->Make(this->Options(row.dpi, 50, 10));
    host->SetWidth(row.twips);
    EXPECT_EQ(gdi::GetPixels(host->hDC()).width, row.pixels) << row.twips << " twips";
    EXPECT_DOUBLE_EQ(host->ScaleWidth(), row.twips * row.dpi / 1440.0);
  }
}

TYPED_TEST_P(HostConformance, FrameworkEventsComeInLifecycleOrderAndNoResizeForAnUnchangedSize) {
  auto host = this->Make(this->Options(96, 30, 10));
  ProbeControl& probe = this->Place(*host);
  host->SetWidth(host->Width());
  host->SetHeight(host->Height());
  EXPECT_TRUE(host->ResizePixels(30, 10));
  host->SetWidth(450);  // 30 pixels
  host->SetHeight(-20);
  host->ResizePixels(40, 0);  // the height is 0 already
  host->Paint();
  EXPECT_EQ(host->Height(), 0);
  EXPECT_EQ(host->Width(), 600);
  const std::vector<std::string> expected = {"Initialize", "InitProperties", "Resize", "Paint",
                                             "Resize",     "Resize",         "Paint"};
  EXPECT_EQ(probe.log, expected);
  auto keep = host->control_ref();
  host->Destroy();
  EXPECT_EQ(probe.log.back(), "Terminate");
  EXPECT_EQ(host->control(), nullptr);
}

TYPED_TEST_P(HostConformance, RefusesColoursItCannotTranslateAndAMissingFont) {
  auto host = this->Make();
  for (OLE_COLOR bad :
       {0x80000099u, 0x8000001Fu, 0x80001005u, 0x03000000u, 0x01FF0000u, 0xFF000000u}) {
    EXPECT_EQ(this->ErrorOf([&] { host->SetBackColor(bad); }), 380) << std::hex << bad;
    EXPECT_EQ(this->ErrorOf([&] { host->SetForeColor(bad); }), 380) << std::hex << bad;
  }
  EXPECT_EQ(host->BackColor(), 0x8000000Fu);  // refused values leave the old one
  EXPECT_EQ(host->ForeColor(), 0x80000012u);
  for (OLE_COLOR good : {0x80000005u, 0x8000001Eu, 0x00123456u, 0x02123456u, 0x01000007u}) {
    host->SetBackColor(good);
    EXPECT_EQ(host->BackColor(), good);
  }
  const StdFontRef font = host->Font();
  EXPECT_EQ(this->ErrorOf([&] { host->SetFont(nullptr); }), err::kInvalidPropertyValue);
  EXPECT_EQ(host->Font(), font);
  EXPECT_EQ(font->Name(), "MS Sans Serif");
  EXPECT_EQ(font->Size(), 8.25);
}

TYPED_TEST_P(HostConformance, AWindowBeyondTheBitmapCapIsRefused) {
  EXPECT_TRUE(window_rules::FitsBitmapCap(8192, 8192));  // 2^26 pixels exactly
  EXPECT_FALSE(window_rules::FitsBitmapCap(8192, 8193));
  EXPECT_FALSE(window_rules::FitsBitmapCap(2147483647, 2147483647));
  auto host = this->Make(this->Options(96, 30, 10));
  ProbeControl& probe = this->Place(*host);
  probe.log.clear();
  EXPECT_FALSE(host->ResizePixels(8193, 8192));
  EXPECT_FALSE(host->ResizePixels(2147483647, 2147483647));
  EXPECT_EQ(host->Width(), 450);
  EXPECT_EQ(gdi::GetPixels(host->hDC()).width, 30);
  EXPECT_TRUE(probe.log.empty());
}

TYPED_TEST_P(HostConformance, EachCopyToTheWindowReportsTheRectangleItChanged) {
  auto host = this->Make(this->Options(96, 60, 21));
  ProbeControl& probe = this->Place(*host);
  // Placing paints once: one report of the whole window.
  std::vector<gdi::RECT> changes = this->Changes(*host);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(Box(changes[0]), (Box(gdi::RECT{0, 0, 60, 21})));
  EXPECT_EQ(gdi::GetPixel(host->hDC(), 59, 20), 0x3366CCu);

  struct Row {
    gdi::RECT blast;  // left, top, width, height
    gdi::RECT changed;
  };
  for (Row row : {Row{{2, 3, 5, 4}, {2, 3, 7, 7}}, Row{{50, 15, 20, 20}, {50, 15, 60, 21}},
                  Row{{-4, -2, 10, 5}, {0, 0, 6, 3}}}) {
    probe.blast = row.blast;
    host->Paint();
    changes = this->Changes(*host);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(Box(changes[0]), Box(row.changed));
  }
  // A copy that lands outside the window, or an empty one, changes nothing.
  for (gdi::RECT outside :
       {gdi::RECT{60, 0, 5, 5}, gdi::RECT{0, 30, 5, 5}, gdi::RECT{0, 0, 0, 5}}) {
    probe.blast = outside;
    host->Paint();
    EXPECT_TRUE(this->Changes(*host).empty());
  }
}

TYPED_TEST_P(HostConformance, FontsAreMadeAtTheResolutionOfTheHostsWindow) {
  // 8.25 points: 11 pixels at 96 dpi, 22 at 192, 13.75 -> 14 at 120.
  for (auto [dpi, height] : {std::pair{96, -11}, std::pair{192, -22}, std::pair{120, -14}}) {
    auto host = this->Make(this->Options(dpi));
    const int device_dpi = gdi::GetDeviceCaps(host->hDC(), gdi::LOGPIXELSY);
    gdi::LOGFONTA lf;
    ASSERT_TRUE(gdi::GetFontRecord(host->AmbientFont()->hFont(device_dpi), &lf));
    EXPECT_EQ(lf.lfHeight, height) << dpi;
  }
}

TYPED_TEST_P(HostConformance, MouseInputReachesOnlyAnEnabledControl) {
  auto host = this->Make(this->Options(96, 30, 10));
  ProbeControl& probe = this->Place(*host);
  probe.log.clear();
  host->MouseUp(2, 0, 7.0f, 3.0f);
  host->Click();
  host->DblClick();
  host->SetEnabled(false);
  host->MouseUp(1, 0, 7.0f, 3.0f);
  host->Click();
  host->DblClick();
  const std::vector<std::string> expected = {"MouseUp 2 7 3", "Click", "DblClick"};
  EXPECT_EQ(probe.log, expected);
}

REGISTER_TYPED_TEST_SUITE_P(HostConformance, ANewControlGetsTheDefaultOuterSizeAtTheHostsResolution,
                            TwipsAndWindowPixelsRoundHalvesToEven,
                            FrameworkEventsComeInLifecycleOrderAndNoResizeForAnUnchangedSize,
                            RefusesColoursItCannotTranslateAndAMissingFont,
                            AWindowBeyondTheBitmapCapIsRefused,
                            EachCopyToTheWindowReportsTheRectangleItChanged,
                            FontsAreMadeAtTheResolutionOfTheHostsWindow,
                            MouseInputReachesOnlyAnEnabledControl);

}  // namespace vg::conformance
