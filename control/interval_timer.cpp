#include "control/interval_timer.h"

#include "control/timer_dispatch.h"

namespace vg {

void TimerLink::RaiseTick() {
  if (receiver_) receiver_->OnLinkTick();
}

IntervalTimer::IntervalTimer(TimerEvents* events, const UserControl* site)
    : events_(events), site_(site) {
  ThreadTimerLinks();
}

IntervalTimer::~IntervalTimer() {
  try {
    if (enabled_) put_Enabled(false);
  } catch (...) {
    // Ending an object must not throw; a link left in the table can no longer reach it.
  }
  Disconnect();
}

void IntervalTimer::Disconnect() {
  if (link_) link_->receiver_ = nullptr;
}

void IntervalTimer::OnLinkTick() {
  if (events_) events_->Timer(*this);
}

void IntervalTimer::put_Interval(int32_t v) {
  if (v == interval_) return;
  interval_ = v;
  if (!enabled_) return;
  if (const auto service = service_.lock()) service->SetTimer(timer_id_, interval_, TimerProc);
}

void IntervalTimer::put_Enabled(bool b) {
  if (b == enabled_) return;
  if (b) {
    const auto service = site_ ? site_->Timers() : ThreadTimerService();
    timer_id_ = service ? service->SetTimer(0, interval_, TimerProc) : 0;
    if (timer_id_ == 0) return;
    enabled_ = true;
    service_ = service;
    Disconnect();
    link_ = std::make_shared<TimerLink>();
    link_->receiver_ = this;
    ThreadTimerLinks().insert_or_assign(timer_id_, link_);
  } else {
    // A service that is gone has ended its timers with it.
    const auto service = service_.lock();
    if (service && service->KillTimer(timer_id_) != 1) return;
    enabled_ = false;
    const auto it = ThreadTimerLinks().find(timer_id_);
    if (it != ThreadTimerLinks().end()) ThreadTimerLinks().erase(it);
  }
}

}  // namespace vg
