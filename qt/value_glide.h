#pragma once
// Animated values of a Qt face: a new value glides from where an edge stands to its target
// over a duration, along an easing curve, one frame per tick of a timer of the control's
// own kind (IntervalTimer) on the host's timer service, each frame through the control's usual
// render pass. Several edges may glide at once (the progress face's value and the block edges
// set through the face), each under a key the face chooses, all on one timer. Time is counted
// in frames (frame number times kGlideFrameInterval), so that a manual clock gives exact
// positions. A new target starts a new glide from where the edge stands; an edge set another
// way (late binding, a stored form) ends its glide where it is.
#include <QEasingCurve>
#include <functional>
#include <map>
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
  // Turning animation off ends every glide at its target.
  void SetEnabled(bool on);
  int duration() const { return duration_; }
  void SetDuration(int ms) { duration_ = ms < 0 ? 0 : ms; }
  const QEasingCurve& curve() const { return curve_; }
  void SetCurve(const QEasingCurve& curve) { curve_ = curve; }

  // Moves the edge `key` from where `read` finds it to `to`: a glide when enabled with a
  // duration, else at once. A frame that finds the edge elsewhere than the last frame put it
  // (it was set another way) ends that glide there.
  void Start(int key, int to, Apply apply, Read read);
  // Ends the glide of `key`, or every glide, where it stands (the edges were set another way,
  // or the blocks they belong to were renumbered).
  void Stop(int key);
  void StopAll();
  bool running(int key) const { return lanes_.contains(key); }
  // The target of the glide of `key`; `otherwise` when none runs.
  int target(int key, int otherwise) const;
  // True while a frame is being applied (the face tells its own writes from others).
  bool applying() const { return applying_; }
  // The value the edge has `elapsed` ms into a glide from `from` to `to`.
  static int At(const QEasingCurve& curve, int duration, int elapsed, int from, int to);

 private:
  struct Lane {
    int from = 0, to = 0, elapsed = 0, last = 0;
    Apply apply;
    Read read;
  };
  void Timer(IntervalTimer& source) override;
  void Put(Lane& lane, int value);
  void StopTimerWhenIdle();

  const UserControl* site_;
  bool enabled_ = false;
  int duration_ = kDefaultGlideDuration;
  QEasingCurve curve_{QEasingCurve::OutCubic};
  bool applying_ = false;
  std::map<int, Lane> lanes_;
  std::unique_ptr<IntervalTimer> timer_;
};

}  // namespace vg
