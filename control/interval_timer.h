#pragma once
// IntervalTimer: an interval timer object over the thread's timer service, with Interval,
// Enabled and a Timer event; TimerLink: the relay that the thread's table of timer links
// (timer_dispatch.h) holds for each running timer and that carries its ticks to the IntervalTimer.
//
// Stopped: Enabled false, no entry in the table. Running: Enabled true, the service runs
// timer TimerID and the table holds this timer's link under its id. A start
// the service refuses leaves the timer stopped; a stop the service does not confirm leaves
// it running. An IntervalTimer that ends stops its timer and cuts its link, so no tick reaches
// an object that is gone.
#include <cstdint>
#include <memory>

#include "platform/host/user_control.h"
#include "platform/timers/timer_service.h"

namespace vg {

class IntervalTimer;

// Receives the Timer event of IntervalTimer objects. The receiver may destroy the timer that
// raised the event; nothing touches the timer after the event returns.
class TimerEvents {
 public:
  virtual ~TimerEvents() = default;
  virtual void Timer(IntervalTimer& source) = 0;
};

class TimerLink {
 public:
  // Raises Tick to the IntervalTimer that made this link, if it still listens.
  void RaiseTick();

 private:
  friend class IntervalTimer;
  IntervalTimer* receiver_ = nullptr;
};

class IntervalTimer {
 public:
  // Makes sure the thread's table of timer links exists; the interval
  // starts at 1 ms, stopped. `events` receives the Timer event (may be null).
  // `site` is the host whose timer service runs the timer; without one, the thread's.
  explicit IntervalTimer(TimerEvents* events = nullptr, const UserControl* site = nullptr);
  // Stops a running timer and cuts the link.
  ~IntervalTimer();
  IntervalTimer(const IntervalTimer&) = delete;
  IntervalTimer& operator=(const IntervalTimer&) = delete;

  int32_t get_Interval() const { return interval_; }
  // Stores a changed interval; a running timer is reset to it under the same id (the
  // service's answer is not looked at).
  void put_Interval(int32_t v);
  bool get_Enabled() const { return enabled_; }
  // true: asks the thread's service for a timer and, if granted, registers a new link;
  // false: ends the timer and drops its registration only when the service confirms.
  void put_Enabled(bool b);

  uintptr_t TimerID() const { return timer_id_; }

 private:
  friend class TimerLink;
  void OnLinkTick();
  void Disconnect();

  TimerEvents* events_;
  const UserControl* site_;
  uintptr_t timer_id_ = 0;
  int32_t interval_ = 1;
  bool enabled_ = false;
  std::shared_ptr<TimerLink> link_;
  // The service that granted the running timer: resets and the stop go there.
  std::weak_ptr<TimerService> service_;
};

}  // namespace vg
