#include "platform/timers/manual_clock.h"

#include <algorithm>
#include <utility>

namespace vg {

ManualClock::~ManualClock() {
  if (displaced_ && !ThreadTimerService()) InstallThreadTimerService(displaced_);
}

const ManualClock::Timer* ManualClock::Find(uintptr_t id) const {
  for (const Timer& t : timers_)
    if (t.id == id) return &t;
  return nullptr;
}

ManualClock::Timer* ManualClock::Find(uintptr_t id) {
  return const_cast<Timer*>(std::as_const(*this).Find(id));
}

uintptr_t ManualClock::SetTimer(uintptr_t id, int32_t interval_ms, TIMERPROC proc) {
  if (proc == nullptr) return 0;
  const int32_t interval = EffectiveTimerInterval(interval_ms);
  if (id != 0) {
    Timer* running = Find(id);
    if (!running) return 0;
    running->interval = interval;
    running->due = now_ + interval;
    running->proc = proc;
    return id;
  }
  if (timers_.size() >= capacity_) return 0;
  const uintptr_t new_id = NextTimerId();
  timers_.push_back({new_id, interval, now_ + interval, proc});
  return new_id;
}

int32_t ManualClock::KillTimer(uintptr_t id) {
  auto it =
      std::find_if(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; });
  if (it == timers_.end()) return 0;
  timers_.erase(it);
  return 1;
}

bool ManualClock::Advance(int64_t ms) {
  if (ms < 0 || advancing_) return false;
  advancing_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{advancing_};
  const int64_t target = now_ + ms;
  for (;;) {
    // The earliest due timer; ties go to the lower id. The table is searched afresh after
    // every tick, because the callback may have changed it.
    Timer* next = nullptr;
    for (Timer& t : timers_)
      if (t.due <= target &&
          (!next || t.due < next->due || (t.due == next->due && t.id < next->id)))
        next = &t;
    if (!next) break;
    now_ = next->due;
    const uintptr_t id = next->id;
    const TIMERPROC proc = next->proc;
    next->due = now_ + next->interval;
    proc(0, WM_TIMER, id, static_cast<uint32_t>(now_));
  }
  now_ = target;
  return true;
}

bool ManualClock::DeliverTick(uintptr_t id) {
  const Timer* t = Find(id);
  if (!t) return false;
  t->proc(0, WM_TIMER, id, static_cast<uint32_t>(now_));
  return true;
}

LocalTime ManualClock::Now() const {
  if (!wall_base_) return SystemLocalTime();
  return FromNaiveMilliseconds(*wall_base_ + (now_ - wall_set_at_));
}

void ManualClock::SetWallTime(const LocalTime& t) {
  wall_base_ = ToNaiveMilliseconds(t);
  wall_set_at_ = now_;
}

int32_t ManualClock::IntervalOf(uintptr_t id) const {
  const Timer* t = Find(id);
  return t ? t->interval : 0;
}

std::optional<int64_t> ManualClock::NextDue(uintptr_t id) const {
  const Timer* t = Find(id);
  if (!t) return std::nullopt;
  return t->due;
}

std::shared_ptr<ManualClock> ShareThreadManualClock() {
  auto clock = std::dynamic_pointer_cast<ManualClock>(ThreadTimerService());
  if (!clock) {
    clock = std::make_shared<ManualClock>();
    clock->displaced_ = ThreadTimerService();
    InstallThreadTimerService(clock);
  }
  return clock;
}

}  // namespace vg
