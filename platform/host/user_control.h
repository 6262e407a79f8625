#pragma once
// The contract between a control and the host framework it lives in: the framework's
// control object (UserControl) that the control reads and writes, and the framework events
// (ControlEvents) the control handles. Hosts implement UserControl (HostBase implements
// what every host shares, by the rules in window_rules.h); controls implement
// ControlEvents. Neither knows the other's concrete type. The control draws into its
// window's device context (hDC); each copy that reaches the window is reported to the
// host with the rectangle it changed (gdi::SetWindowListener), so a toolkit repaints
// exactly that area once.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/automation/ole_color.h"
#include "platform/automation/std_font.h"
#include "platform/automation/variant.h"
#include "platform/disk/disk_space.h"
#include "platform/gdi/gdi.h"
#include "platform/host/property_bag.h"
#include "platform/timers/timer_service.h"

namespace vg {

using HWND = uintptr_t;

class UserControl {
 public:
  virtual ~UserControl() = default;

  // The window's device context and handle, fixed for the control's life.
  virtual gdi::HDC hDC() const = 0;
  virtual HWND hWnd() const = 0;

  // Drawing area in pixels (may be fractional when the outer size in twips is not a whole
  // number of pixels).
  virtual double ScaleWidth() const = 0;
  virtual double ScaleHeight() const = 0;
  // Outer size in twips. Setting resizes the control at once and raises
  // UserControl_Resize before returning.
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual void SetWidth(int32_t twips) = 0;
  virtual void SetHeight(int32_t twips) = 0;

  // Held by the framework. A value the framework refuses raises an AutomationError.
  virtual OLE_COLOR BackColor() const = 0;
  virtual void SetBackColor(OLE_COLOR color) = 0;
  virtual OLE_COLOR ForeColor() const = 0;
  virtual void SetForeColor(OLE_COLOR color) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual StdFontRef Font() const = 0;
  virtual void SetFont(StdFontRef font) = 0;

  // Ambient properties of the container.
  virtual bool AmbientUserMode() const = 0;
  virtual StdFontRef AmbientFont() const = 0;

  // Twips per pixel of the screen the window is on, as floating values; the window's
  // device context reports the same resolution (GetDeviceCaps LOGPIXELSX/Y).
  virtual double TwipsPerPixelX() const = 0;
  virtual double TwipsPerPixelY() const = 0;

  // Marks the stored form as changed because of the named property.
  virtual void PropertyChanged(const std::string& name) = 0;
  // Raises an event of the control's event interface; returns after the host's handler.
  virtual void RaiseEvent(const std::string& name, const std::vector<Variant>& args) = 0;
  // The same for event `id` of the event interface, whose name there is `name`. The
  // arguments are passed by reference: the host's handler may change them. Hosts that tell
  // events apart by name alone need not override it.
  virtual void RaiseEventById(DISPID id, const std::string& name, std::vector<Variant>& args) {
    (void)id;
    RaiseEvent(name, args);
  }
  // Shows the control's About box modally; returns when the user has closed it. A host
  // without one shows nothing.
  virtual void ShowAboutBox() {}

  // The timer service the control's timers run on, whose clock its time fields show (null:
  // timers are refused and the system clock is shown). A host that keeps its own (a manual
  // clock) returns it, so that it touches no other control on the thread; by default, the
  // thread's service (a toolkit's event loop).
  virtual std::shared_ptr<TimerService> Timers() const { return ThreadTimerService(); }
  // The drive map the control's disk figures read; by default the thread's.
  virtual DiskProvider& Drives() const { return ThreadDiskProvider(); }
};

// The framework events a control handles, delivered on the control's thread in this order:
// Initialize, then InitProperties (new placement) or ReadProperties (loading), Resize and
// Paint as needed, WriteProperties when a form is saved, Terminate last.
class ControlEvents {
 public:
  virtual ~ControlEvents() = default;
  virtual void UserControl_Initialize() = 0;
  virtual void UserControl_InitProperties() = 0;
  virtual void UserControl_Resize() = 0;
  virtual void UserControl_Paint() = 0;
  virtual void UserControl_Terminate() = 0;
  // Mouse notifications, delivered only while the control is enabled. For one click the
  // button release comes before the click. Button: 1 left, 2 right, 4 middle; shift: 1
  // Shift, 2 Ctrl, 4 Alt; x and y in the drawing area's pixels.
  virtual void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) {
    (void)button, (void)shift, (void)x, (void)y;
  }
  virtual void UserControl_Click() {}
  virtual void UserControl_DblClick() {}
  // Loading from a stored form (in place of InitProperties) and saving into one. A control
  // that stores nothing keeps these empty.
  virtual void UserControl_ReadProperties(PropertyBag& /*PropBag*/) {}
  virtual void UserControl_WriteProperties(PropertyBag& /*PropBag*/) {}
};

}  // namespace vg
