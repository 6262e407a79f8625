#pragma once
// Animated values of a Qt face: a new value glides from where the edge stands to its target
// over a duration, along an easing curve, one frame per tick of a timer of the control's
// own kind (IntervalTimer) on the host's timer service, each frame through the control's usual
// render pass. Time is counted in frames (frame number times kGlideFrameInterval), so that
// a manual clock gives exact positions. A new target starts a new glide from where the edge
// stands; an edge set another way (late binding, a stored form) ends the glide where it is.
#include <QEasingCurve>
#include <functional>
#include <memory>

#include "control/interval_timer.h"

namespace vg {

inline constexpr int kGlideFrameInterval = 16;  // ms: about 60 frames a second
inline constexpr int kDefaultGlideDuration = 250;

class ValueGlide : private TimerEvents {
 public:
  // Puts the edge at a value (the face's immediate setter; reports its own errors), and
  // reads where it stands.
  using Apply = std::function<void(int value)>;
  using Read = std::function<int()>;

  explicit ValueGlide(const UserControl* site) : site_(site) {}
  ~ValueGlide() override = default;

  bool enabled() const { return enabled_; }
  // Turning animation off ends a glide at its target.
  void SetEnabled(bool on);
  int duration() const { return duration_; }
  void SetDuration(int ms) { duration_ = ms < 0 ? 0 : ms; }
  const QEasingCurve& curve() const { return curve_; }
  void SetCurve(const QEasingCurve& curve) { curve_ = curve; }

  // Moves the edge from where `read` finds it to `to`: a glide when enabled with a
  // duration, else at once. A frame that finds the edge elsewhere than the last frame put it
  // (it was set another way) ends the glide there.
  void Start(int to, Apply apply, Read read);
  // Ends a glide where it stands (the edge was set another way).
  void Stop();
  bool running() const { return running_; }
  // True while a frame is being applied (the face tells its own writes from others).
  bool applying() const { return applying_; }
  int target() const { return to_; }
  // The value the edge has `elapsed` ms into a glide from `from` to `to`.
  static int At(const QEasingCurve& curve, int duration, int elapsed, int from, int to);

 private:
  void Timer(IntervalTimer& source) override;
  void Put(int value);

  const UserControl* site_;
  bool enabled_ = false;
  int duration_ = kDefaultGlideDuration;
  QEasingCurve curve_{QEasingCurve::OutCubic};
  bool running_ = false;
  bool applying_ = false;
  int from_ = 0, to_ = 0, elapsed_ = 0;
  int last_ = 0;
  Apply apply_;
  Read read_;
  std::unique_ptr<IntervalTimer> timer_;
};

}  // namespace vg
