// The timers part, and the control's four timer properties over it.
#include "control/control_timers.h"

#include "control/varigauge.h"

namespace vg {

ControlTimers::ControlTimers(UserControl& host, std::function<void()> draw)
    : host_(host), draw_(std::move(draw)) {}

ControlTimers::~ControlTimers() {
  Close();
}

void ControlTimers::Open() {
  TimerEvents* events = this;
  time_ = std::make_unique<IntervalTimer>(events, &host_);
  disk_ = std::make_unique<IntervalTimer>(events, &host_);
}

void ControlTimers::Close() {
  for (std::unique_ptr<IntervalTimer>* timer : {&time_, &disk_}) {
    if (!*timer) continue;
    if ((*timer)->get_Enabled()) (*timer)->put_Enabled(false);
    timer->reset();
  }
}

void ControlTimers::Reset(int32_t time_interval, int32_t disk_interval) {
  if (time_) {
    time_->put_Enabled(false);
    time_->put_Interval(time_interval);
  }
  if (disk_) {
    disk_->put_Enabled(false);
    disk_->put_Interval(disk_interval);
  }
}

void ControlTimers::Restore(IntervalTimer* timer, bool enabled, int32_t interval) {
  if (!timer) return;
  timer->put_Enabled(enabled);
  timer->put_Interval(interval);
}

void ControlTimers::Timer(IntervalTimer& source) {
  const bool time = &source == time_.get();
  draw_();
  // Last: the host's handler may end the control.
  host_.RaiseEvent(time ? "TimerTime" : "TimerDisk", {});
}

void Varigauge::put_TimerTimeInterval(int32_t v) {
  state_.timer_time_interval = v;
  Notify(dispid::kTimerTimeInterval);
  if (IntervalTimer* timer = timers_.time()) timer->put_Interval(v);
}

void Varigauge::put_TimerTimeEnabled(bool v) {
  state_.timer_time_enabled = v;
  Notify(dispid::kTimerTimeEnabled);
  if (IntervalTimer* timer = timers_.time()) timer->put_Enabled(v);
}

void Varigauge::put_TimerDiskInterval(int32_t v) {
  state_.timer_disk_interval = v;
  Notify(dispid::kTimerDiskInterval);
  if (IntervalTimer* timer = timers_.disk()) timer->put_Interval(v);
}

void Varigauge::put_TimerDiskEnabled(bool v) {
  state_.timer_disk_enabled = v;
  Notify(dispid::kTimerDiskEnabled);
  if (IntervalTimer* timer = timers_.disk()) timer->put_Enabled(v);
}

}  // namespace vg
