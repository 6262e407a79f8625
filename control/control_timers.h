#pragma once
// The control's two interval timers as one part: the time timer (timerTimeInformation) and
// the disk timer (timerDiskInformation). They exist from the control's start to its end,
// both stopped at first. Each tick draws the control and then raises the tick's event to
// the host: TimerTime for the time timer, TimerDisk for the disk timer. The part ends both
// timers before it releases them, so no tick reaches a control that is gone.
#include <cstdint>
#include <functional>
#include <memory>

#include "control/interval_timer.h"
#include "platform/host/user_control.h"

namespace vg {

class ControlTimers : private TimerEvents {
 public:
  // `draw` runs the render pass; an error it raises ends that tick before the event.
  ControlTimers(UserControl& host, std::function<void()> draw);
  ~ControlTimers() override;
  ControlTimers(const ControlTimers&) = delete;
  ControlTimers& operator=(const ControlTimers&) = delete;

  // Makes both timers, stopped, at the timer's own interval (UserControl_Initialize).
  void Open();
  // Stops each running timer, then releases both (UserControl_Terminate).
  void Close();
  // Stops both timers and sets their intervals, as a newly placed control does.
  void Reset(int32_t time_interval, int32_t disk_interval);
  // Sets one timer from a stored form's settings: first its enabled flag, then its
  // interval, so a timer started this way starts at the timer's own interval and is reset
  // to the stored one at once, under the same id. A control not yet initialised has no
  // timers (`timer` null): nothing happens.
  static void Restore(IntervalTimer* timer, bool enabled, int32_t interval);

  // The timers; null before Open and after Close.
  IntervalTimer* time() const { return time_.get(); }
  IntervalTimer* disk() const { return disk_.get(); }

 private:
  void Timer(IntervalTimer& source) override;

  UserControl& host_;
  std::function<void()> draw_;
  std::unique_ptr<IntervalTimer> time_;
  std::unique_ptr<IntervalTimer> disk_;
};

}  // namespace vg
