#include "platform/host/host_base.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace vg {
namespace {

// Window handles are unique in the process, whichever thread makes the window.
HWND NextWindowHandle() {
  static std::atomic<HWND> next{0x10010};
  return next.fetch_add(0x10, std::memory_order_relaxed) + 0x10;
}

}  // namespace

HostBase::HostBase(HostOptions options)
    : dpi_(options.dpi > 0 ? options.dpi : gdi::kDefaultDpi),
      user_mode_(options.user_mode),
      hwnd_(NextWindowHandle()),
      ambient_font_(StdFont::Create(std::string(kDefaultFontName), kDefaultFontSize)) {
  width_twips_ = options.width_px >= 0 ? window_rules::TwipsFromPixels(options.width_px, dpi_)
                                       : kDefaultWidthTwips;
  height_twips_ = options.height_px >= 0 ? window_rules::TwipsFromPixels(options.height_px, dpi_)
                                         : kDefaultHeightTwips;
  hdc_ = gdi::CreateWindowDC(window_rules::WindowPixels(width_twips_, dpi_),
                             window_rules::WindowPixels(height_twips_, dpi_), dpi_);
  gdi::SetWindowScreenLayout(hdc_, options.screen_layout);
  gdi::SetWindowListener(hdc_, this);
  font_ = ambient_font_;
}

HostBase::~HostBase() {
  // What the derived host has not done: its overrides are gone, so the window stops
  // reporting first.
  gdi::SetWindowListener(hdc_, nullptr);
  if (control_) Guarded("terminate", [this] { Destroy(); });
  gdi::DestroyWindowDC(hdc_);
}

void HostBase::OnBoundaryFault(const BoundaryFault& fault) {
  if (fault_reporter_)
    fault_reporter_(fault);
  else
    std::fprintf(stderr, "Varigauge: %s: error %d: %s\n", fault.where,
                 static_cast<int>(fault.number), fault.description.c_str());
}

void HostBase::WindowChanged(gdi::HDC /*window*/, const gdi::RECT& changed) {
  OnWindowChanged(changed);
}

void HostBase::Deliver(const char* event, void (ControlEvents::*handler)()) {
  OnFrameworkEvent(event);
  if (control_) ((*control_).*handler)();
}

void HostBase::Create(const ControlFactory& factory) {
  if (control_) Destroy();
  control_ = factory(*this);
  Deliver(window_rules::kInitialize, &ControlEvents::UserControl_Initialize);
}

void HostBase::Place(const ControlFactory& factory) {
  Create(factory);
  InitProperties();
  Deliver(window_rules::kResize, &ControlEvents::UserControl_Resize);
  PaintNow();
}

void HostBase::InitProperties() {
  Deliver(window_rules::kInitProperties, &ControlEvents::UserControl_InitProperties);
}

void HostBase::Load(const ControlFactory& factory, PropertyBag& bag) {
  Create(factory);
  OnFrameworkEvent(window_rules::kReadProperties);
  if (control_) control_->UserControl_ReadProperties(bag);
  Deliver(window_rules::kResize, &ControlEvents::UserControl_Resize);
  PaintNow();
}

void HostBase::WriteProperties(PropertyBag& bag) {
  OnFrameworkEvent(window_rules::kWriteProperties);
  if (control_) control_->UserControl_WriteProperties(bag);
}

void HostBase::PaintNow() {
  Deliver(window_rules::kPaint, &ControlEvents::UserControl_Paint);
}

void HostBase::Paint() {
  Guarded("paint", [this] { PaintNow(); });
}

void HostBase::Destroy() {
  // The control goes even when its Terminate raises.
  try {
    Deliver(window_rules::kTerminate, &ControlEvents::UserControl_Terminate);
  } catch (...) {
    control_.reset();
    throw;
  }
  control_.reset();
}

void HostBase::MouseUp(int16_t button, int16_t shift, float x, float y) {
  if (!enabled_) return;
  Guarded("mouse up", [&] {
    OnFrameworkEvent("UserControl_MouseUp");
    if (control_) control_->UserControl_MouseUp(button, shift, x, y);
  });
}

void HostBase::Click() {
  if (enabled_)
    Guarded("click", [this] { Deliver("UserControl_Click", &ControlEvents::UserControl_Click); });
}

void HostBase::DblClick() {
  if (enabled_)
    Guarded("double click",
            [this] { Deliver("UserControl_DblClick", &ControlEvents::UserControl_DblClick); });
}

void HostBase::ResizeWindowToOuterSize() {
  // A window beyond the bitmap cap is not made: the window keeps its pixels.
  gdi::ResizeWindowDC(hdc_, window_rules::WindowPixels(width_twips_, dpi_),
                      window_rules::WindowPixels(height_twips_, dpi_));
  Deliver(window_rules::kResize, &ControlEvents::UserControl_Resize);
}

void HostBase::MoveToScreen(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  gdi::SetWindowDpi(hdc_, dpi_);
  Guarded("screen change", [this] {
    ResizeWindowToOuterSize();
    PaintNow();
  });
}

bool HostBase::ResizePixels(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (!window_rules::FitsBitmapCap(width, height)) return false;
  const int32_t w = window_rules::TwipsFromPixels(width, dpi_);
  const int32_t h = window_rules::TwipsFromPixels(height, dpi_);
  if (w == width_twips_ && h == height_twips_) return true;
  width_twips_ = w;
  height_twips_ = h;
  Guarded("resize", [this] { ResizeWindowToOuterSize(); });
  return true;
}

// Setting the size it already has changes nothing and raises no Resize, as a window system
// sends no size change for it (a control sizing itself to its picture does so every pass).
void HostBase::SetWidth(int32_t twips) {
  twips = std::max(twips, 0);
  if (twips == width_twips_) return;
  width_twips_ = twips;
  ResizeWindowToOuterSize();
}

void HostBase::SetHeight(int32_t twips) {
  twips = std::max(twips, 0);
  if (twips == height_twips_) return;
  height_twips_ = twips;
  ResizeWindowToOuterSize();
}

void HostBase::SetBackColor(OLE_COLOR color) {
  window_rules::CheckColor(color);
  back_color_ = color;
}

void HostBase::SetForeColor(OLE_COLOR color) {
  window_rules::CheckColor(color);
  fore_color_ = color;
}

void HostBase::SetFont(StdFontRef font) {
  window_rules::CheckFont(font);
  font_ = std::move(font);
}

}  // namespace vg
