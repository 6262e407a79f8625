#include "control/interval_timer.h"

#include "control/timer_dispatch.h"

namespace vg {

void clsTimerLink::RaiseTick() {
  if (receiver_) receiver_->moTimerLink_Tick();
}

clsTimer::clsTimer(TimerEvents* events, const UserControl* site) : events_(events), site_(site) {
  colTimerLinks();
}

clsTimer::~clsTimer() {
  try {
    if (enabled_) put_Enabled(false);
  } catch (...) {
    // Ending an object must not throw; a link left in the table can no longer reach it.
  }
  Disconnect();
}

void clsTimer::Disconnect() {
  if (moTimerLink) moTimerLink->receiver_ = nullptr;
}

void clsTimer::moTimerLink_Tick() {
  if (events_) events_->Timer(*this);
}

void clsTimer::put_Interval(int32_t v) {
  if (v == interval_) return;
  interval_ = v;
  if (!enabled_) return;
  if (const auto service = service_.lock()) service->SetTimer(timer_id_, interval_, TimerProc);
}

void clsTimer::put_Enabled(bool b) {
  if (b == enabled_) return;
  char buffer[24];
  if (b) {
    const auto service = site_ ? site_->Timers() : ThreadTimerService();
    timer_id_ = service ? service->SetTimer(0, interval_, TimerProc) : 0;
    if (timer_id_ == 0) return;
    enabled_ = true;
    service_ = service;
    Disconnect();
    moTimerLink = std::make_shared<clsTimerLink>();
    moTimerLink->receiver_ = this;
    colTimerLinks().insert_or_assign(std::string(TimerKey(timer_id_, buffer)), moTimerLink);
  } else {
    // A service that is gone has ended its timers with it.
    const auto service = service_.lock();
    if (service && service->KillTimer(timer_id_) != 1) return;
    enabled_ = false;
    const auto it = colTimerLinks().find(TimerKey(timer_id_, buffer));
    if (it != colTimerLinks().end()) colTimerLinks().erase(it);
  }
}

}  // namespace vg
