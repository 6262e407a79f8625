#pragma once
// A timer service driven by hand: time stands still until Advance moves it on, and then
// every tick that falls due is delivered in time order, on the calling thread, before
// Advance returns. Used by tests and headless tools, where it makes timed behaviour exact
// and repeatable.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/timers/timer_service.h"

namespace vg {

class ManualClock : public TimerService {
 public:
  ManualClock() = default;
  ~ManualClock() override;
  ManualClock(const ManualClock&) = delete;
  ManualClock& operator=(const ManualClock&) = delete;

  // At most this many timers run at once; further starts are refused.
  static constexpr size_t kDefaultCapacity = 10000;

  uintptr_t SetTimer(uintptr_t id, int32_t interval_ms, TIMERPROC proc) override;
  int32_t KillTimer(uintptr_t id) override;
  // The wall time set by SetWallTime, moved on by every Advance since; the system clock
  // until it is set.
  LocalTime Now() const override;

  // Moves time on by `ms` milliseconds, delivering each due tick at its own time: ticks of
  // different timers in the order they fall due (equal times in the order of their ids),
  // and a timer due several times in the span ticks each time. A callback may start, reset
  // or stop timers; a timer stopped by a callback gets no further tick, one started or
  // reset falls due from the callback's time. Returns false and does nothing for a negative
  // span, or when called from inside a tick of this clock.
  bool Advance(int64_t ms);

  // Delivers one tick of timer `id` now, without moving time, as if its event had just
  // arrived; false (and nothing delivered) when no such timer runs.
  bool DeliverTick(uintptr_t id);

  void SetWallTime(const LocalTime& t);
  void set_capacity(size_t n) { capacity_ = n; }

  // Milliseconds since the clock was made.
  int64_t Elapsed() const { return now_; }
  size_t RunningCount() const { return timers_.size(); }
  bool IsRunning(uintptr_t id) const { return Find(id) != nullptr; }
  // The interval a running timer ticks at (after the minimum is applied), or 0.
  int32_t IntervalOf(uintptr_t id) const;
  // The time of a running timer's next tick, or nothing.
  std::optional<int64_t> NextDue(uintptr_t id) const;

 private:
  struct Timer {
    uintptr_t id;
    int32_t interval;
    int64_t due;
    TIMERPROC proc;
  };
  const Timer* Find(uintptr_t id) const;
  Timer* Find(uintptr_t id);

  friend std::shared_ptr<ManualClock> ShareThreadManualClock();

  std::vector<Timer> timers_;
  // The thread's service this clock took the place of (a toolkit's event loop, when a
  // headless host is made in a toolkit program); it is the thread's service again once
  // this clock ends.
  std::shared_ptr<TimerService> displaced_;
  int64_t now_ = 0;
  size_t capacity_ = kDefaultCapacity;
  bool advancing_ = false;
  std::optional<int64_t> wall_base_;  // naive milliseconds at wall_set_at_
  int64_t wall_set_at_ = 0;
};

// The calling thread's manual clock: the installed service if it is one, otherwise a new
// clock installed for the thread. Every holder shares it; it ends with the last holder, and
// the service it displaced is installed again.
std::shared_ptr<ManualClock> ShareThreadManualClock();

}  // namespace vg
