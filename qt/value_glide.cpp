#include "qt/value_glide.h"

#include <algorithm>
#include <cmath>

namespace vg {

int ValueGlide::At(const QEasingCurve& curve, int duration, int elapsed, int from, int to) {
  if (duration <= 0 || elapsed >= duration) return to;
  const double progress =
      curve.valueForProgress(static_cast<double>(std::max(0, elapsed)) / duration);
  return static_cast<int>(std::lround(from + (to - from) * progress));
}

void ValueGlide::SetEnabled(bool on) {
  enabled_ = on;
  if (!on && running_) {
    running_ = false;
    if (timer_) timer_->put_Enabled(false);
    Put(to_);
  }
}

void ValueGlide::Start(int to, Apply apply, Read read) {
  apply_ = std::move(apply);
  read_ = std::move(read);
  to_ = to;
  const int from = read_ ? read_() : to;
  if (!enabled_ || duration_ <= 0 || from == to) {
    Stop();
    Put(to);
    return;
  }
  from_ = from;
  last_ = from;
  elapsed_ = 0;
  running_ = true;
  if (!timer_) timer_ = std::make_unique<IntervalTimer>(static_cast<TimerEvents*>(this), site_);
  timer_->put_Interval(kGlideFrameInterval);
  timer_->put_Enabled(true);
  if (!timer_->get_Enabled()) {  // no timer service: no glide
    running_ = false;
    Put(to);
  }
}

void ValueGlide::Stop() {
  running_ = false;
  if (timer_) timer_->put_Enabled(false);
}

void ValueGlide::Timer(IntervalTimer&) {
  if (!running_) return;
  if (read_ && read_() != last_) return Stop();
  elapsed_ += kGlideFrameInterval;
  if (elapsed_ >= duration_) Stop();
  Put(At(curve_, duration_, elapsed_, from_, to_));
}

void ValueGlide::Put(int value) {
  if (!apply_) return;
  last_ = value;
  applying_ = true;
  try {
    apply_(value);
  } catch (...) {
    applying_ = false;
    throw;
  }
  applying_ = false;
}

}  // namespace vg
