#include "qt/qt_timer_service.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimerEvent>

#include "qt/qt_boundary_guard.h"

namespace vg {

std::shared_ptr<TimerService> QtTimerService::ForThisThread() {
  // The thread's table holds its service weakly; this one strong reference keeps the
  // Qt service alive for the thread's life.
  thread_local std::shared_ptr<TimerService> kept;
  if (auto existing = ThreadTimerService()) return existing;
  kept = std::make_shared<QtTimerService>();
  InstallThreadTimerService(kept);
  return kept;
}

QtTimerService::~QtTimerService() {
  for (const auto& [qt_id, running] : by_qt_id_) killTimer(qt_id);
}

uintptr_t QtTimerService::SetTimer(uintptr_t id, int32_t interval_ms, TIMERPROC proc) {
  if (id != 0) {
    // A reset: the same id, the next tick one new interval from now.
    auto found = by_id_.find(id);
    if (found == by_id_.end()) return 0;
    killTimer(found->second);
    by_qt_id_.erase(found->second);
    by_id_.erase(found);
  }
  const int qt_id = startTimer(EffectiveTimerInterval(interval_ms), Qt::PreciseTimer);
  if (qt_id == 0) return 0;
  if (id == 0) id = NextTimerId();
  by_qt_id_[qt_id] = {id, proc};
  by_id_[id] = qt_id;
  return id;
}

int32_t QtTimerService::KillTimer(uintptr_t id) {
  auto found = by_id_.find(id);
  if (found == by_id_.end()) return 0;
  killTimer(found->second);
  by_qt_id_.erase(found->second);
  by_id_.erase(found);
  return 1;
}

void QtTimerService::timerEvent(QTimerEvent* event) {
  auto found = by_qt_id_.find(event->timerId());
  if (found == by_qt_id_.end()) return;  // stopped while the event was queued
  const Running running = found->second;
  const auto now = static_cast<uint32_t>(QDeadlineTimer::current().deadline());
  // A tick comes from Qt's event loop: nothing raised in it may reach the loop.
  if (running.proc) QtGuard("timer tick", [&] { running.proc(0, WM_TIMER, running.id, now); });
}

}  // namespace vg
