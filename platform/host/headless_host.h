#pragma once
// A host framework without a screen: an in-memory window whose pixels can be read, a
// fixed screen resolution, and a record of property-change notifications, raised events
// and delivered framework events. Used by tests and by command-line tools.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/user_control.h"

namespace vg {

struct HeadlessHostOptions {
  // Drawing area in pixels; the framework's default outer size for a new control is
  // 900 x 315 twips, which is 60 x 21 pixels at 96 DPI.
  int width_px = -1;  // -1: the default outer size
  int height_px = -1;
  int dpi = 96;
  bool user_mode = true;  // true: a running program; false: a form designer
};

struct RecordedEvent {
  std::string name;
  std::vector<Variant> args;
};

class HeadlessHost : public UserControl {
 public:
  using ControlFactory = std::function<std::shared_ptr<ControlEvents>(UserControl&)>;

  static constexpr int32_t kDefaultWidthTwips = 900;
  static constexpr int32_t kDefaultHeightTwips = 315;

  explicit HeadlessHost(HeadlessHostOptions options = {});
  ~HeadlessHost() override;
  HeadlessHost(const HeadlessHost&) = delete;
  HeadlessHost& operator=(const HeadlessHost&) = delete;

  // Creates the control (UserControl_Initialize) without configuring it.
  void Create(const ControlFactory& factory);
  // Places a new control: Initialize, InitProperties, Resize, Paint.
  void Place(const ControlFactory& factory);
  void InitProperties();
  // Creates a control from stored settings: Initialize, ReadProperties, Resize, Paint. An
  // error of ReadProperties propagates after the control has been created.
  void Load(const ControlFactory& factory, PropertyBag& bag);
  // Asks the control to store its settings (a form being saved).
  void WriteProperties(PropertyBag& bag);
  // Resizes the drawing area to whole pixels and raises UserControl_Resize.
  void ResizePixels(int width, int height);
  // A paint request from the window system.
  void Paint();
  // Destroys the control (UserControl_Terminate) and drops it.
  void Destroy();

  ControlEvents* control() const { return control_.get(); }

  void SetUserMode(bool user_mode) { user_mode_ = user_mode; }

  // Window contents.
  COLORREF Pixel(int x, int y) const;
  gdi::PixelView Pixels() const;

  // Recorded traffic; the Take... calls return and clear.
  std::vector<std::string> TakeNotifications();
  std::vector<RecordedEvent> TakeEvents();
  const std::vector<std::string>& FrameworkLog() const { return framework_log_; }

  // UserControl
  gdi::HDC hDC() const override { return hdc_; }
  HWND hWnd() const override { return hwnd_; }
  double ScaleWidth() const override;
  double ScaleHeight() const override;
  int32_t Width() const override { return width_twips_; }
  int32_t Height() const override { return height_twips_; }
  void SetWidth(int32_t twips) override;
  void SetHeight(int32_t twips) override;
  OLE_COLOR BackColor() const override { return back_color_; }
  void SetBackColor(OLE_COLOR color) override;
  OLE_COLOR ForeColor() const override { return fore_color_; }
  void SetForeColor(OLE_COLOR color) override;
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  StdFontRef Font() const override { return font_; }
  void SetFont(StdFontRef font) override;
  bool AmbientUserMode() const override { return user_mode_; }
  StdFontRef AmbientFont() const override { return ambient_font_; }
  double TwipsPerPixelX() const override { return 1440.0 / dpi_; }
  double TwipsPerPixelY() const override { return 1440.0 / dpi_; }
  void PropertyChanged(const std::string& name) override;
  void RaiseEvent(const std::string& name, const std::vector<Variant>& args) override;

 private:
  void Deliver(const char* event, void (ControlEvents::*handler)());
  void ResizeWindowToOuterSize();

  int dpi_;
  bool user_mode_;
  int32_t width_twips_;
  int32_t height_twips_;
  gdi::HDC hdc_ = 0;
  HWND hwnd_;
  OLE_COLOR back_color_ = 0x8000000F;  // button face until the control sets its own
  OLE_COLOR fore_color_ = 0x80000012;  // button text
  bool enabled_ = true;
  StdFontRef font_;
  StdFontRef ambient_font_;
  std::shared_ptr<ControlEvents> control_;
  std::vector<std::string> notifications_;
  std::vector<RecordedEvent> events_;
  std::vector<std::string> framework_log_;
};

}  // namespace vg
