#pragma once
// The timer service on the Qt event loop: one object per thread owns the Qt timers, and
// their ticks arrive as calls of the timer's callback on that thread, from its event loop.
// Qt programs install it for their thread instead of the manual clock.
#include <QObject>
#include <memory>
#include <unordered_map>

#include "platform/timers/timer_service.h"

namespace vg {

class QtTimerService : public QObject, public TimerService {
 public:
  // Makes a service for the calling thread and installs it there, unless the thread has
  // one already; either way returns the thread's service. The thread keeps it while a
  // caller holds it.
  static std::shared_ptr<TimerService> ForThisThread();

  QtTimerService() = default;
  ~QtTimerService() override;

  uintptr_t SetTimer(uintptr_t id, int32_t interval_ms, TIMERPROC proc) override;
  int32_t KillTimer(uintptr_t id) override;

 protected:
  void timerEvent(QTimerEvent* event) override;

 private:
  struct Running {
    uintptr_t id = 0;
    TIMERPROC proc = nullptr;
  };
  std::unordered_map<int, Running> by_qt_id_;  // Qt's timer id -> ours
  std::unordered_map<uintptr_t, int> by_id_;   // ours -> Qt's timer id
};

}  // namespace vg
