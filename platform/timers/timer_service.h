#pragma once
// The per-thread timer service: repeating timers without a window whose ticks arrive as
// calls of a callback on the thread that started them, from that thread's event loop.
//
// Each thread has at most one service, installed by the host that runs the thread's event
// loop (the headless host's manual clock, or the Qt event loop). The thread does not own
// it: the service lives as long as its installer keeps it, and a thread whose service is
// gone (or never had one) gets every start refused.
//
// Intervals: the service's range is kTimerMinimumInterval .. 2^31 - 1 milliseconds.
// Anything shorter, including 0 and negative intervals, runs at the minimum, so that a
// 0 ms timer cannot keep a core busy; a 32-bit interval cannot exceed the maximum.
#include <cstdint>
#include <memory>

#include "platform/timers/local_time.h"

namespace vg {

// The callback's arguments: window (always 0 here), message (WM_TIMER), timer id, and the
// service's time in milliseconds (low 32 bits).
using TIMERPROC = void (*)(uintptr_t hwnd, uint32_t msg, uintptr_t id, uint32_t time);

inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr int32_t kTimerMinimumInterval = 10;

// The interval a service really uses for a requested one.
constexpr int32_t EffectiveTimerInterval(int32_t requested_ms) {
  return requested_ms < kTimerMinimumInterval ? kTimerMinimumInterval : requested_ms;
}

class TimerService : public Clock {
 public:
  virtual ~TimerService() = default;

  // With `id` 0, starts a repeating timer calling `proc` every `interval_ms` and returns its
  // id (never 0), or 0 when the service refuses. With the id of a timer this service runs,
  // resets that timer instead and returns the id: the new interval and callback, the next
  // tick one new interval from now. Any other id is refused (0), so that a reset never
  // leaves a second timer behind. Ids are unique among all services of the process.
  virtual uintptr_t SetTimer(uintptr_t id, int32_t interval_ms, TIMERPROC proc) = 0;

  // Ends timer `id`: 1 when it ran and is now gone (no further tick of it is delivered),
  // 0 when this service runs no such timer.
  virtual int32_t KillTimer(uintptr_t id) = 0;

  // The local wall-clock time of this thread: the system clock unless a service keeps its
  // own.
  LocalTime Now() const override { return SystemLocalTime(); }
};

// Installs `service` for the calling thread (null uninstalls). The thread keeps only a weak
// reference.
void InstallThreadTimerService(const std::shared_ptr<TimerService>& service);
// The calling thread's service, or null.
std::shared_ptr<TimerService> ThreadTimerService();

// The process-wide source of timer ids: 1, 2, 3, ...
uintptr_t NextTimerId();

}  // namespace vg
