#include "platform/host/headless_host.h"

namespace vg {

HeadlessHost::~HeadlessHost() {
  if (control()) Guarded("terminate", [this] { Destroy(); });
}

COLORREF HeadlessHost::Pixel(int x, int y) const {
  return gdi::GetPixel(hDC(), x, y);
}

gdi::PixelView HeadlessHost::Pixels() const {
  return gdi::GetPixels(hDC());
}

void HeadlessHost::PropertyChanged(const std::string& name) {
  notifications_.push_back(name);
}

void HeadlessHost::RaiseEvent(const std::string& name, const std::vector<Variant>& args) {
  std::vector<Variant> copy = args;
  RaiseEventById(DISPID_UNKNOWN, name, copy);
}

void HeadlessHost::RaiseEventById(DISPID, const std::string& name, std::vector<Variant>& args) {
  events_.push_back({name, args});
  if (event_handler_) event_handler_(name, args);
}

void HeadlessHost::ShowAboutBox() {
  events_.push_back({"AboutBox", {}});
}

void HeadlessHost::OnWindowChanged(const gdi::RECT& changed) {
  window_changes_.push_back(changed);
}

void HeadlessHost::OnFrameworkEvent(const char* name) {
  framework_log_.emplace_back(name);
}

void HeadlessHost::OnBoundaryFault(const BoundaryFault& fault) {
  // Recorded for the host's program (TakeFaults); a reporter, when set, hears it too.
  faults_.push_back(fault);
  if (HasFaultReporter()) HostBase::OnBoundaryFault(fault);
}

std::vector<BoundaryFault> HeadlessHost::TakeFaults() {
  std::vector<BoundaryFault> out;
  out.swap(faults_);
  return out;
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

std::vector<gdi::RECT> HeadlessHost::TakeWindowChanges() {
  std::vector<gdi::RECT> out;
  out.swap(window_changes_);
  return out;
}

}  // namespace vg
