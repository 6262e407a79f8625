#include "qt/value_glide.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vg {

int ValueGlide::At(const QEasingCurve& curve, int duration, int elapsed, int from, int to) {
  if (duration <= 0 || elapsed >= duration) return to;
  const double progress =
      curve.valueForProgress(static_cast<double>(std::max(0, elapsed)) / duration);
  return static_cast<int>(std::lround(from + (to - from) * progress));
}

void ValueGlide::SetEnabled(bool on) {
  enabled_ = on;
  if (on || lanes_.empty()) return;
  // Every glide ends at its target.
  std::map<int, Lane> ending;
  ending.swap(lanes_);
  StopTimerWhenIdle();
  for (auto& [key, lane] : ending) Put(lane, lane.to);
}

void ValueGlide::Start(int key, int to, Apply apply, Read read) {
  Lane lane;
  lane.apply = std::move(apply);
  lane.read = std::move(read);
  lane.to = to;
  lane.from = lane.last = lane.read ? lane.read() : to;
  lanes_.erase(key);
  if (enabled_ && duration_ > 0 && lane.from != to) {
    if (!timer_) timer_ = std::make_unique<IntervalTimer>(static_cast<TimerEvents*>(this), site_);
    if (!timer_->get_Enabled()) {
      timer_->put_Interval(kGlideFrameInterval);
      timer_->put_Enabled(true);
    }
    if (timer_->get_Enabled()) {  // else no timer service: no glide
      lanes_.emplace(key, std::move(lane));
      return;
    }
  }
  StopTimerWhenIdle();
  Put(lane, to);
}

void ValueGlide::Stop(int key) {
  lanes_.erase(key);
  StopTimerWhenIdle();
}

void ValueGlide::StopAll() {
  lanes_.clear();
  StopTimerWhenIdle();
}

int ValueGlide::target(int key, int otherwise) const {
  const auto it = lanes_.find(key);
  return it == lanes_.end() ? otherwise : it->second.to;
}

void ValueGlide::StopTimerWhenIdle() {
  if (lanes_.empty() && timer_) timer_->put_Enabled(false);
}

void ValueGlide::Timer(IntervalTimer&) {
  // A frame may end or start glides (its drawing reaches the face's handlers): the keys are
  // taken first, and each lane is looked up again before it moves.
  std::vector<int> keys;
  for (const auto& [key, lane] : lanes_) keys.push_back(key);
  for (int key : keys) {
    const auto it = lanes_.find(key);
    if (it == lanes_.end()) continue;
    Lane& lane = it->second;
    if (lane.read && lane.read() != lane.last) {
      lanes_.erase(it);  // set another way: the glide ends there
      continue;
    }
    lane.elapsed += kGlideFrameInterval;
    const int at = At(curve_, duration_, lane.elapsed, lane.from, lane.to);
    if (lane.elapsed >= duration_) {
      Lane last = std::move(lane);
      lanes_.erase(it);
      Put(last, at);
    } else {
      Put(lane, at);
    }
  }
  StopTimerWhenIdle();
}

void ValueGlide::Put(Lane& lane, int value) {
  if (!lane.apply) return;
  lane.last = value;
  // A copy: the frame's drawing may reach a handler that starts a new glide of this key,
  // which replaces the lane while its function runs.
  const Apply apply = lane.apply;
  applying_ = true;
  try {
    apply(value);
  } catch (...) {
    applying_ = false;
    throw;
  }
  applying_ = false;
}

}  // namespace vg
