#include "platform/timers/timer_service.h"

#include <atomic>

namespace vg {
namespace {

thread_local std::weak_ptr<TimerService> thread_service;
std::atomic<uintptr_t> last_timer_id{0};

}  // namespace

void InstallThreadTimerService(const std::shared_ptr<TimerService>& service) {
  thread_service = service;
}

std::shared_ptr<TimerService> ThreadTimerService() {
  return thread_service.lock();
}

uintptr_t NextTimerId() {
  uintptr_t id = ++last_timer_id;
  if (id == 0) id = ++last_timer_id;  // after a wrap, 0 still means "refused"
  return id;
}

}  // namespace vg
