#pragma once
// Busy mode of a Qt face: for work of unknown length, block 1 moves back and forth across
// the scale, one step per tick of a timer of the control's own kind (IntervalTimer) on the
// host's timer service, with its usual colours, gradient and rivets. Without a block, a
// band is added for the purpose (a new block's settings) and removed again. Turning busy
// mode off writes block 1's fields back as they were before it started. The timer runs
// only while busy mode is on and the face is shown.
//
// The band is a fifth of the scale wide (block 1 keeps its own width when it is narrower
// than the scale and not empty) and moves in kBusySteps steps from one end to the other.
#include <functional>
#include <memory>
#include <vector>

#include "control/interval_timer.h"
#include "control/varigauge.h"

namespace vg {

inline constexpr int kBusySteps = 20;
inline constexpr int kDefaultBusyInterval = 50;  // ms per step: a second end to end

class BusyMotion : private TimerEvents {
 public:
  // `site` is the host whose timer service runs the timer.
  explicit BusyMotion(const UserControl* site) : site_(site) {}
  ~BusyMotion() override = default;

  bool on() const { return on_; }
  // Starts or ends busy mode on `control` (ending restores block 1). Raises what the
  // control raises.
  void SetOn(Varigauge& control, bool on);
  int interval() const { return interval_; }
  // Milliseconds per step; values below the timer service's minimum run at the minimum.
  void SetInterval(int ms);
  // The face was shown or hidden: the timer runs only while shown.
  void SetShown(bool shown);
  // Runs `f` with block 1 as it was before busy mode started (or without the added band),
  // then moves it back to where it was; at once when busy mode is off.
  void WithBlockAsItWas(const std::function<void()>& f);
  // Whether the timer runs now (for tests).
  bool ticking() const { return timer_ && timer_->get_Enabled(); }
  // Where block 1's near edge stands after `step` steps, on the scale lo..hi for a band of
  // `width`: forward kBusySteps steps, back kBusySteps steps, and again.
  static int BandStart(int step, int lo, int hi, int width);

 private:
  void Timer(IntervalTimer& source) override;
  void UpdateTimer();
  void Place();  // draws the band at step_

  const UserControl* site_;
  Varigauge* control_ = nullptr;
  bool on_ = false;
  bool shown_ = true;
  int interval_ = kDefaultBusyInterval;
  int step_ = 0;
  int width_ = 0;
  bool added_band_ = false;
  std::vector<Variant> saved_;  // block 1 as it was
  std::unique_ptr<IntervalTimer> timer_;
};

}  // namespace vg
