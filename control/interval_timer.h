#pragma once
// clsTimer: an interval timer object over the thread's timer service, with Interval,
// Enabled and a Timer event; clsTimerLink: the relay that the thread's table of timer links
// (modTimer) holds for each running timer and that carries its ticks to the clsTimer.
//
// Stopped: Enabled false, no entry in the table. Running: Enabled true, the service runs
// timer TimerID and the table holds this timer's link under the id's decimal text. A start
// the service refuses leaves the timer stopped; a stop the service does not confirm leaves
// it running. A clsTimer that ends stops its timer and cuts its link, so no tick reaches
// an object that is gone.
#include <cstdint>
#include <memory>

#include "platform/host/user_control.h"
#include "platform/timers/timer_service.h"

namespace vg {

class clsTimer;

// Receives the Timer event of clsTimer objects. The receiver may destroy the timer that
// raised the event; nothing touches the timer after the event returns.
class TimerEvents {
 public:
  virtual ~TimerEvents() = default;
  virtual void Timer(clsTimer& source) = 0;
};

class clsTimerLink {
 public:
  // Raises Tick to the clsTimer that made this link, if it still listens.
  void RaiseTick();

 private:
  friend class clsTimer;
  clsTimer* receiver_ = nullptr;
};

class clsTimer {
 public:
  // Class_Initialize: makes sure the thread's table of timer links exists; the interval
  // starts at 1 ms, stopped. `events` receives the Timer event (may be null).
  // `site` is the host whose timer service runs the timer; without one, the thread's.
  explicit clsTimer(TimerEvents* events = nullptr, const UserControl* site = nullptr);
  // Class_Terminate: stops a running timer and cuts the link.
  ~clsTimer();
  clsTimer(const clsTimer&) = delete;
  clsTimer& operator=(const clsTimer&) = delete;

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
  friend class clsTimerLink;
  void moTimerLink_Tick();
  void Disconnect();

  TimerEvents* events_;
  const UserControl* site_;
  uintptr_t timer_id_ = 0;
  int32_t interval_ = 1;
  bool enabled_ = false;
  std::shared_ptr<clsTimerLink> moTimerLink;
  // The service that granted the running timer: resets and the stop go there.
  std::weak_ptr<TimerService> service_;
};

}  // namespace vg
