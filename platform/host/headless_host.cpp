#include "platform/host/headless_host.h"

#include <algorithm>

#include "platform/automation/errors.h"
#include "platform/automation/numeric.h"

namespace vg {
namespace {

HWND NextWindowHandle() {
  static HWND next = 0x10010;
  next += 0x10;
  return next;
}

void CheckColor(OLE_COLOR color) {
  if (OleTranslateColor(color, 0, nullptr) != S_OK) Raise(380);  // Invalid property value
}

}  // namespace

HeadlessHost::HeadlessHost(HeadlessHostOptions options)
    : dpi_(options.dpi > 0 ? options.dpi : 96),
      user_mode_(options.user_mode),
      hwnd_(NextWindowHandle()),
      ambient_font_(StdFont::Create("MS Sans Serif", 8.25)) {
  gdi::SetScreenDpi(dpi_);
  width_twips_ = options.width_px >= 0 ? RoundToInt32(options.width_px * TwipsPerPixelX())
                                       : kDefaultWidthTwips;
  height_twips_ = options.height_px >= 0 ? RoundToInt32(options.height_px * TwipsPerPixelY())
                                         : kDefaultHeightTwips;
  hdc_ = gdi::CreateWindowDC(RoundToInt32(ScaleWidth()), RoundToInt32(ScaleHeight()));
  font_ = ambient_font_;
}

HeadlessHost::~HeadlessHost() {
  if (control_) Destroy();
  gdi::DestroyWindowDC(hdc_);
}

void HeadlessHost::Deliver(const char* event, void (ControlEvents::*handler)()) {
  framework_log_.emplace_back(event);
  if (control_) ((*control_).*handler)();
}

void HeadlessHost::Create(const ControlFactory& factory) {
  if (control_) Destroy();
  control_ = factory(*this);
  Deliver("UserControl_Initialize", &ControlEvents::UserControl_Initialize);
}

void HeadlessHost::Place(const ControlFactory& factory) {
  Create(factory);
  InitProperties();
  Deliver("UserControl_Resize", &ControlEvents::UserControl_Resize);
  Paint();
}

void HeadlessHost::InitProperties() {
  Deliver("UserControl_InitProperties", &ControlEvents::UserControl_InitProperties);
}

void HeadlessHost::Load(const ControlFactory& factory, PropertyBag& bag) {
  Create(factory);
  framework_log_.emplace_back("UserControl_ReadProperties");
  control_->UserControl_ReadProperties(bag);
  Deliver("UserControl_Resize", &ControlEvents::UserControl_Resize);
  Paint();
}

void HeadlessHost::WriteProperties(PropertyBag& bag) {
  framework_log_.emplace_back("UserControl_WriteProperties");
  if (control_) control_->UserControl_WriteProperties(bag);
}

void HeadlessHost::Paint() {
  Deliver("UserControl_Paint", &ControlEvents::UserControl_Paint);
}

void HeadlessHost::Destroy() {
  Deliver("UserControl_Terminate", &ControlEvents::UserControl_Terminate);
  control_.reset();
}

double HeadlessHost::ScaleWidth() const {
  return width_twips_ / TwipsPerPixelX();
}
double HeadlessHost::ScaleHeight() const {
  return height_twips_ / TwipsPerPixelY();
}

void HeadlessHost::ResizeWindowToOuterSize() {
  gdi::ResizeWindowDC(hdc_, RoundToInt32(ScaleWidth()), RoundToInt32(ScaleHeight()));
  Deliver("UserControl_Resize", &ControlEvents::UserControl_Resize);
}

void HeadlessHost::ResizePixels(int width, int height) {
  width_twips_ = RoundToInt32(std::max(width, 0) * TwipsPerPixelX());
  height_twips_ = RoundToInt32(std::max(height, 0) * TwipsPerPixelY());
  ResizeWindowToOuterSize();
}

// Setting the size it already has changes nothing and raises no Resize, as a window system
// sends no size change for it (a control sizing itself to its picture does so every pass).
void HeadlessHost::SetWidth(int32_t twips) {
  twips = std::max(twips, 0);
  if (twips == width_twips_) return;
  width_twips_ = twips;
  ResizeWindowToOuterSize();
}

void HeadlessHost::SetHeight(int32_t twips) {
  twips = std::max(twips, 0);
  if (twips == height_twips_) return;
  height_twips_ = twips;
  ResizeWindowToOuterSize();
}

void HeadlessHost::SetBackColor(OLE_COLOR color) {
  CheckColor(color);
  back_color_ = color;
}

void HeadlessHost::SetForeColor(OLE_COLOR color) {
  CheckColor(color);
  fore_color_ = color;
}

void HeadlessHost::SetFont(StdFontRef font) {
  if (!font) Raise(380);
  font_ = std::move(font);
}

COLORREF HeadlessHost::Pixel(int x, int y) const {
  return gdi::GetPixel(hdc_, x, y);
}

gdi::PixelView HeadlessHost::Pixels() const {
  return gdi::GetPixels(hdc_);
}

void HeadlessHost::PropertyChanged(const std::string& name) {
  notifications_.push_back(name);
}

void HeadlessHost::RaiseEvent(const std::string& name, const std::vector<Variant>& args) {
  events_.push_back({name, args});
}

std::vector<std::string> HeadlessHost::TakeNotifications() {
  std::vector<std::string> out;
  out.swap(notifications_);
  return out;
}

std::vector<RecordedEvent> HeadlessHost::TakeEvents() {
  std::vector<RecordedEvent> out;
  out.swap(events_);
  return out;
}

}  // namespace vg
