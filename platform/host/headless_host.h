#pragma once
// A host framework without a screen: an in-memory window whose pixels can be read, a
// fixed screen resolution, and a record of property-change notifications, raised events,
// delivered framework events and the window areas each copy of the surface changed. Used
// by tests and by command-line tools.
#include <functional>
#include <string>
#include <vector>

#include "platform/host/host_base.h"
#include "platform/timers/manual_clock.h"

namespace vg {

using HeadlessHostOptions = HostOptions;

struct RecordedEvent {
  std::string name;
  std::vector<Variant> args;
};

class HeadlessHost : public HostBase {
 public:
  explicit HeadlessHost(HeadlessHostOptions options = {}) : HostBase(options) {}
  ~HeadlessHost() override;

  // Window contents.
  COLORREF Pixel(int x, int y) const;
  gdi::PixelView Pixels() const;

  // The host program's handler of the control's events: runs after the event is recorded,
  // may change the arguments and may raise an error, which reaches the control.
  using EventHandler = std::function<void(const std::string& name, std::vector<Variant>& args)>;
  void SetEventHandler(EventHandler handler) { event_handler_ = std::move(handler); }

  // Recorded traffic; the Take... calls return and clear. A request to show the About box
  // is recorded as the event "AboutBox".
  std::vector<std::string> TakeNotifications();
  std::vector<RecordedEvent> TakeEvents();
  std::vector<gdi::RECT> TakeWindowChanges();
  const std::vector<std::string>& FrameworkLog() const { return framework_log_; }

  // The timer service of the host's thread: a manual clock, shared by the thread's hosts.
  ManualClock& clock() const { return *clock_; }

  // UserControl
  void PropertyChanged(const std::string& name) override;
  void RaiseEvent(const std::string& name, const std::vector<Variant>& args) override;
  void RaiseEventById(DISPID id, const std::string& name, std::vector<Variant>& args) override;
  void ShowAboutBox() override;

 protected:
  void OnWindowChanged(const gdi::RECT& changed) override;
  void OnFrameworkEvent(const char* name) override;

 private:
  std::vector<std::string> notifications_;
  std::vector<RecordedEvent> events_;
  EventHandler event_handler_;
  std::vector<gdi::RECT> window_changes_;
  std::vector<std::string> framework_log_;
  std::shared_ptr<ManualClock> clock_ = ShareThreadManualClock();
};

}  // namespace vg
