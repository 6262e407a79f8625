#pragma once
// The part of a host that is the same for every toolkit: the control's window (a window
// context of the raster device at the host's resolution), its outer size in twips, the
// properties the framework holds, and the delivery of framework events, all by the shared
// window rules. A toolkit's host derives from it and adds what only it knows: how property
// changes and events reach the program, and how changed window pixels reach the screen
// (OnWindowChanged, once per copy of the control's surface to the window).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/host/boundary_guard.h"
#include "platform/host/user_control.h"
#include "platform/host/window_rules.h"

namespace vg {

struct HostOptions {
  // Drawing area in pixels; -1: the default outer size of a new control.
  int width_px = -1;
  int height_px = -1;
  int dpi = gdi::kDefaultDpi;  // the resolution of the screen the window is on
  bool user_mode = true;       // true: a running program; false: a form designer
  // The window's pixels (and the control's surface made for it) in the screen's layout,
  // 0xFFRRGGBB, as a window system's backing store takes them; COLORREF values otherwise.
  bool screen_layout = false;
};

class HostBase : public UserControl, private gdi::WindowListener {
 public:
  using ControlFactory = std::function<std::shared_ptr<ControlEvents>(UserControl&)>;

  static constexpr int32_t kDefaultWidthTwips = window_rules::kDefaultWidthTwips;
  static constexpr int32_t kDefaultHeightTwips = window_rules::kDefaultHeightTwips;

  explicit HostBase(HostOptions options = {});
  // Derived hosts call Destroy() in their own destructor, so that the control's Terminate
  // still reaches a whole host.
  ~HostBase() override;
  HostBase(const HostBase&) = delete;
  HostBase& operator=(const HostBase&) = delete;

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
  // The window system resizes the drawing area to whole pixels and raises
  // UserControl_Resize, unless the outer size stays as it was. Negative sizes count as 0;
  // a size beyond the bitmap cap is refused: false, and nothing changes.
  bool ResizePixels(int width, int height);
  // A paint request from the window system.
  void Paint();
  // Destroys the control (UserControl_Terminate) and drops it.
  void Destroy();
  // The window moved to a screen of `dpi`: the outer size in twips stays, so the control
  // covers the same part of the screen; the window gets the pixels of that size at the new
  // resolution and the control a Resize (and the Paint that follows), so it draws anew at
  // the device's resolution. Nothing happens at the resolution it already has.
  void MoveToScreen(int dpi);
  // Mouse input from the window system. A disabled window receives none, so nothing is
  // delivered while Enabled is false.
  void MouseUp(int16_t button, int16_t shift, float x, float y);
  void Click();
  void DblClick();

  // Calls from the window system (Paint, ResizePixels, MoveToScreen, MouseUp, Click,
  // DblClick) run through the boundary guard: what the control raises there is reported
  // through OnBoundaryFault and goes no further, and the window keeps its last picture.
  // Create, Place, Load, InitProperties and WriteProperties still raise to their caller.
  using FaultReporter = std::function<void(const BoundaryFault&)>;
  void SetFaultReporter(FaultReporter report) { fault_reporter_ = std::move(report); }

  ControlEvents* control() const { return control_.get(); }
  std::shared_ptr<ControlEvents> control_ref() const { return control_; }
  void SetUserMode(bool user_mode) { user_mode_ = user_mode; }
  int Dpi() const { return dpi_; }

  // UserControl: the parts every host shares.
  gdi::HDC hDC() const override { return hdc_; }
  HWND hWnd() const override { return hwnd_; }
  double ScaleWidth() const override { return width_twips_ / TwipsPerPixelX(); }
  double ScaleHeight() const override { return height_twips_ / TwipsPerPixelY(); }
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
  double TwipsPerPixelX() const override { return window_rules::TwipsPerPixel(dpi_); }
  double TwipsPerPixelY() const override { return window_rules::TwipsPerPixel(dpi_); }

 protected:
  // A copy of the control's surface changed these window pixels (clipped to the window,
  // never empty). A toolkit schedules one repaint of exactly this area.
  virtual void OnWindowChanged(const gdi::RECT& changed) = 0;
  // A framework event is about to reach the control.
  virtual void OnFrameworkEvent(const char* /*name*/) {}
  // A call from the window system raised: told to the fault reporter, or without one written
  // to the standard error stream ("Varigauge: paint: error 6: Overflow"), so that it is
  // never lost silently.
  virtual void OnBoundaryFault(const BoundaryFault& fault);
  bool HasFaultReporter() const { return static_cast<bool>(fault_reporter_); }
  // Runs a call from the window system under the boundary guard.
  template <class Body>
  void Guarded(const char* where, Body&& body) {
    GuardBoundary(where, std::forward<Body>(body),
                  [this](const BoundaryFault& fault) { OnBoundaryFault(fault); });
  }

 private:
  void WindowChanged(gdi::HDC window, const gdi::RECT& changed) override;
  void Deliver(const char* event, void (ControlEvents::*handler)());
  void ResizeWindowToOuterSize();
  void PaintNow();

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
  FaultReporter fault_reporter_;
};

}  // namespace vg
