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

// The window's size in pixels and the screen's resolution.
using HeadlessHostOptions = HostOptions;

// An event the control raised, with its arguments as the host's handler left them.
struct RecordedEvent {
  std::string name;           // the event's name ("BlockClicked")
  std::vector<Variant> args;  // its arguments
};

// The host: Place or Load a control in it, then Paint, Resize, click and read pixels.
class HeadlessHost : public HostBase {
 public:
  // A host on a manual clock of its own.
  explicit HeadlessHost(HeadlessHostOptions options = {}) : HostBase(options) {}
  // A host on a clock it shares with other hosts (one program's controls on one clock).
  HeadlessHost(HeadlessHostOptions options, std::shared_ptr<ManualClock> clock)
      : HostBase(options), clock_(std::move(clock)) {}
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
  // What calls from the window system raised (recorded, not thrown: see HostBase).
  std::vector<BoundaryFault> TakeFaults();

  // The host's timer service: a manual clock of its own (or shared with the hosts made on
  // it), never the thread's, so that moving it touches no other control on the thread.
  ManualClock& clock() const { return *clock_; }
  std::shared_ptr<ManualClock> shared_clock() const { return clock_; }
  // The drive map of the host's control; null (the default): the thread's.
  void SetDrives(std::shared_ptr<DiskProvider> drives) { drives_ = std::move(drives); }

  // UserControl
  void PropertyChanged(const std::string& name) override;
  void RaiseEvent(const std::string& name, const std::vector<Variant>& args) override;
  void RaiseEventById(DISPID id, const std::string& name, std::vector<Variant>& args) override;
  void ShowAboutBox() override;
  std::shared_ptr<TimerService> Timers() const override { return clock_; }
  DiskProvider& Drives() const override { return drives_ ? *drives_ : ThreadDiskProvider(); }

 protected:
  // HostBase: record the changed area, the framework event, the fault.
  void OnWindowChanged(const gdi::RECT& changed) override;
  void OnFrameworkEvent(const char* name) override;
  void OnBoundaryFault(const BoundaryFault& fault) override;

 private:
  std::vector<std::string> notifications_;
  std::vector<RecordedEvent> events_;
  EventHandler event_handler_;
  std::vector<gdi::RECT> window_changes_;
  std::vector<std::string> framework_log_;
  std::vector<BoundaryFault> faults_;
  std::shared_ptr<ManualClock> clock_ = std::make_shared<ManualClock>();
  std::shared_ptr<DiskProvider> drives_;
};

}  // namespace vg
