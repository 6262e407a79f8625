#include "qt/busy_motion.h"

#include <algorithm>
#include <cstdlib>

#include "qt/face_access.h"

namespace vg {

int BusyMotion::BandStart(int step, int lo, int hi, int width) {
  const int free = std::max(0, hi - lo - width);
  const int phase = ((step % (2 * kBusySteps)) + 2 * kBusySteps) % (2 * kBusySteps);
  const int at = phase <= kBusySteps ? phase : 2 * kBusySteps - phase;
  return lo + static_cast<int>(static_cast<long long>(free) * at / kBusySteps);
}

void BusyMotion::SetOn(Varigauge& control, bool on) {
  if (on == on_) return;
  if (on) {
    control_ = &control;
    added_band_ = control.get_Blocks() < 1;
    if (added_band_) control.AddBlock();
    saved_ = ReadBlockValues(control, 1);
    const Variant first = Variant::Long(1);
    const bool vertical = FaceVertical(control);
    const int span = std::abs(FaceMaximum(control) - FaceMinimum(control));
    const int own = vertical ? control.get_BlockBarTop(first) - control.get_BlockBarBottom(first)
                             : control.get_BlockBarRight(first) - control.get_BlockBarLeft(first);
    width_ = own > 0 && own < span && !added_band_ ? own : std::max(1, span / 5);
    step_ = 0;
    on_ = true;
    Place();
  } else {
    on_ = false;
    UpdateTimer();
    if (control_ && control_->get_Blocks() >= 1) {
      if (added_band_)
        control_->DeleteBlock(Variant::Long(1));
      else
        WriteBlockValues(*control_, 1, saved_);
    }
    saved_.clear();
    control_ = nullptr;
    return;
  }
  UpdateTimer();
}

void BusyMotion::WithBlockAsItWas(const std::function<void()>& f) {
  if (!on_ || !control_ || control_->get_Blocks() < 1) return f();
  Varigauge& c = *control_;
  const bool redraw = c.get_Redraw();
  c.put_Redraw(false);
  if (added_band_)
    c.DeleteBlock(Variant::Long(1));
  else
    WriteBlockValues(c, 1, saved_);
  c.put_Redraw(redraw);
  try {
    f();
  } catch (...) {
    if (added_band_) c.AddBlock();
    Place();
    throw;
  }
  if (added_band_) c.AddBlock();
  Place();
}

void BusyMotion::SetInterval(int ms) {
  interval_ = std::max(1, ms);
  if (timer_) timer_->put_Interval(interval_);
}

void BusyMotion::SetShown(bool shown) {
  shown_ = shown;
  UpdateTimer();
}

void BusyMotion::UpdateTimer() {
  const bool run = on_ && shown_;
  if (run && !ticking()) {
    if (!timer_) timer_ = std::make_unique<IntervalTimer>(static_cast<TimerEvents*>(this), site_);
    timer_->put_Interval(interval_);
    timer_->put_Enabled(true);
  } else if (!run && timer_) {
    timer_->put_Enabled(false);
  }
}

void BusyMotion::Timer(IntervalTimer&) {
  if (!on_ || !control_) return;
  if (control_->get_Blocks() < 1) return;  // the program removed the block: nothing to move
  ++step_;
  Place();
}

void BusyMotion::Place() {
  Varigauge& c = *control_;
  const int lo = std::min(FaceMinimum(c), FaceMaximum(c));
  const int hi = std::max(FaceMinimum(c), FaceMaximum(c));
  const int start = BandStart(step_, lo, hi, width_);
  const Variant first = Variant::Long(1);
  const bool redraw = c.get_Redraw();
  c.put_Redraw(false);
  // The far edge first when the band moves up the scale, so that the near edge never
  // passes it.
  const auto near = static_cast<int16_t>(start), far = static_cast<int16_t>(start + width_);
  if (FaceVertical(c)) {
    if (near > c.get_BlockBarBottom(first)) c.put_BlockBarTop(first, far);
    c.put_BlockBarBottom(first, near);
    c.put_BlockBarTop(first, far);
  } else {
    if (near > c.get_BlockBarLeft(first)) c.put_BlockBarRight(first, far);
    c.put_BlockBarLeft(first, near);
    c.put_BlockBarRight(first, far);
  }
  c.put_Redraw(redraw);
}

}  // namespace vg
