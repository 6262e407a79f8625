// The control's two timers: their properties, the ticks' redraws and events, and their end
// with the control. Time is the headless host's manual clock.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "control/interval_timer.h"
#include "control/timer_dispatch.h"
#include "control/varigauge.h"
#include "platform/host/headless_host.h"
#include "tests/control/control_fixture.h"

namespace vg::testing {
namespace {

// A host that notes how often the window had been updated when each event arrived.
class WatchingHost : public HeadlessHost {
 public:
  using HeadlessHost::HeadlessHost;
  void RaiseEvent(const std::string& name, const std::vector<Variant>& args) override {
    updates_at_event.push_back(gdi::WindowUpdateCount(hDC()));
    HeadlessHost::RaiseEvent(name, args);
  }
  std::vector<int> updates_at_event;
};

struct TimedControl {
  // On a clock of its own, or on one shared with other hosts.
  explicit TimedControl(std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>())
      : host(HeadlessHostOptions{}, std::move(clock)) {
    host.Place([this](UserControl& site) {
      control = std::make_shared<Varigauge>(site);
      return control;
    });
    host.TakeNotifications();
    host.TakeEvents();
  }
  std::vector<std::string> EventNames() {
    std::vector<std::string> names;
    for (const RecordedEvent& e : host.TakeEvents()) names.push_back(e.name);
    return names;
  }
  int Updates() const { return gdi::WindowUpdateCount(host.hDC()); }
  ManualClock& clock() { return host.clock(); }
  Varigauge& c() { return *control; }

  WatchingHost host;
  std::shared_ptr<Varigauge> control;
};

using Names = std::vector<std::string>;

TEST(ControlTimers, ANewControlHasBothTimersStoppedAndRaisesNothing) {
  TimedControl t;
  EXPECT_EQ(t.c().get_TimerTimeInterval(), 1000);
  EXPECT_EQ(t.c().get_TimerDiskInterval(), 60000);
  EXPECT_FALSE(t.c().get_TimerTimeEnabled());
  EXPECT_FALSE(t.c().get_TimerDiskEnabled());
  ASSERT_NE(t.c().timerTimeInformation(), nullptr);
  EXPECT_EQ(t.c().timerTimeInformation()->get_Interval(), 1000);
  EXPECT_EQ(t.c().timerDiskInformation()->get_Interval(), 60000);
  t.clock().Advance(600000);
  EXPECT_TRUE(t.EventNames().empty());
  EXPECT_EQ(t.clock().RunningCount(), 0u);
}

TEST(ControlTimers, SettersStoreNotifyByNameAndSetTheTimerWithoutRedrawing) {
  TimedControl t;
  const int updates = t.Updates();
  t.c().put_TimerTimeInterval(250);
  t.c().put_TimerTimeEnabled(true);
  t.c().put_TimerDiskInterval(15000);
  t.c().put_TimerDiskEnabled(true);
  EXPECT_EQ(t.host.TakeNotifications(), (Names{"TimerTimeInterval", "TimerTimeEnabled",
                                               "TimerDiskInterval", "TimerDiskEnabled"}));
  EXPECT_EQ(t.Updates(), updates);
  EXPECT_EQ(t.clock().RunningCount(), 2u);
  EXPECT_EQ(t.clock().IntervalOf(t.c().timerTimeInformation()->TimerID()), 250);
  EXPECT_EQ(t.clock().IntervalOf(t.c().timerDiskInformation()->TimerID()), 15000);
  // Late binding reaches the same members, and nothing is checked: any Long is stored.
  t.c().Invoke(t.c().GetIDOfName("TimerTimeInterval"), DISPATCH_PROPERTYPUT,
               std::vector<Variant>{Variant::Long(-5)});
  EXPECT_EQ(t.c().get_TimerTimeInterval(), -5);
  EXPECT_EQ(
      t.c().Invoke(t.c().GetIDOfName("timerdiskenabled"), DISPATCH_PROPERTYGET, {}).long_value(),
      -1);
}

TEST(ControlTimers, EachTickRedrawsThenRaisesItsEvent) {
  TimedControl t;
  t.c().put_TimerTimeEnabled(true);
  t.c().put_TimerDiskInterval(1500);
  t.c().put_TimerDiskEnabled(true);
  const int updates = t.Updates();
  t.clock().Advance(3000);
  // At 3000 both fall due: the time timer, started first, ticks first.
  EXPECT_EQ(t.EventNames(),
            (Names{"TimerTime", "TimerDisk", "TimerTime", "TimerTime", "TimerDisk"}));
  // One copy to the window per tick, each before its event.
  EXPECT_EQ(t.host.updates_at_event,
            (std::vector<int>{updates + 1, updates + 2, updates + 3, updates + 4, updates + 5}));
}

TEST(ControlTimers, AnIntervalChangeWhileRunningKeepsTheTimerAndTakesEffectAtOnce) {
  TimedControl t;
  t.c().put_TimerTimeEnabled(true);
  t.c().put_TimerTimeEnabled(true);  // a second start changes nothing
  EXPECT_EQ(t.clock().RunningCount(), 1u);
  const uintptr_t id = t.c().timerTimeInformation()->TimerID();
  t.clock().Advance(900);
  t.c().put_TimerTimeInterval(250);
  EXPECT_EQ(t.c().timerTimeInformation()->TimerID(), id);
  EXPECT_EQ(t.clock().RunningCount(), 1u);
  t.clock().Advance(1000);
  EXPECT_EQ(t.EventNames().size(), 4u);
}

TEST(ControlTimers, StoppingEndsTheEventsAndLateTicksAreIgnored) {
  TimedControl t;
  t.c().put_TimerDiskInterval(100);
  t.c().put_TimerDiskEnabled(true);
  const uintptr_t id = t.c().timerDiskInformation()->TimerID();
  t.clock().Advance(100);
  EXPECT_EQ(t.EventNames(), Names{"TimerDisk"});
  t.c().put_TimerDiskEnabled(false);
  TimerProc(0, WM_TIMER, id, 0);  // already queued before the stop
  t.clock().Advance(1000);
  EXPECT_TRUE(t.EventNames().empty());
}

TEST(ControlTimers, ARefusedTimerStaysStoppedWhileTheSettingReadsTrue) {
  TimedControl t;
  t.clock().set_capacity(0);
  t.c().put_TimerTimeEnabled(true);
  EXPECT_TRUE(t.c().get_TimerTimeEnabled());
  EXPECT_FALSE(t.c().timerTimeInformation()->get_Enabled());
  t.clock().Advance(5000);
  EXPECT_TRUE(t.EventNames().empty());
}

TEST(ControlTimers, TwoControlsOnOneThreadTickIndependently) {
  TimedControl a;
  TimedControl b(a.host.shared_clock());
  ASSERT_EQ(&a.clock(), &b.clock());  // two hosts on one clock
  a.c().put_TimerTimeEnabled(true);
  b.c().put_TimerTimeInterval(500);
  b.c().put_TimerTimeEnabled(true);
  a.clock().Advance(1000);
  EXPECT_EQ(a.EventNames().size(), 1u);
  EXPECT_EQ(b.EventNames().size(), 2u);
  a.c().put_TimerTimeEnabled(false);
  a.clock().Advance(1000);
  EXPECT_TRUE(a.EventNames().empty());
  EXPECT_EQ(b.EventNames().size(), 2u);
}

TEST(ControlTimers, EachHostsClockMovesOnlyItsOwnControls) {
  TimedControl a, b;
  ASSERT_NE(&a.clock(), &b.clock());
  // Neither host took the thread's service.
  EXPECT_NE(ThreadTimerService().get(), &a.clock());
  EXPECT_NE(ThreadTimerService().get(), &b.clock());
  a.c().put_TimerTimeEnabled(true);
  b.c().put_TimerTimeEnabled(true);
  EXPECT_EQ(a.clock().RunningCount(), 1u);
  EXPECT_EQ(b.clock().RunningCount(), 1u);
  a.clock().SetWallTime(*MakeLocalTime(2001, 2, 3, 4, 5, 6));
  a.clock().Advance(3000);
  EXPECT_EQ(a.EventNames().size(), 3u);
  EXPECT_TRUE(b.EventNames().empty());
  EXPECT_NE(b.host.Timers()->Now().year, 2001);
}

TEST(ControlTimers, ADestroyedControlEndsBothTimersAndGetsNoTick) {
  TimedControl t;
  t.c().put_TimerTimeEnabled(true);
  t.c().put_TimerDiskEnabled(true);
  const uintptr_t time_id = t.c().timerTimeInformation()->TimerID();
  const uintptr_t disk_id = t.c().timerDiskInformation()->TimerID();
  t.host.Destroy();
  EXPECT_EQ(t.clock().RunningCount(), 0u);
  EXPECT_EQ(t.c().timerTimeInformation(), nullptr);
  TimerProc(0, WM_TIMER, time_id, 0);
  TimerProc(0, WM_TIMER, disk_id, 0);
  t.clock().Advance(120000);
  EXPECT_TRUE(t.EventNames().empty());
}

TEST(ControlTimers, AnErrorInATicksRenderPassEndsThatTickOnly) {
  TimedControl t;
  t.c().put_TimerTimeEnabled(true);
  // A scale range beyond 16 bits: every render pass fails with 6.
  t.c().put_Redraw(false);
  t.c().put_HMinValue(-1);
  t.c().put_HMaxValue(32767);
  EXPECT_EQ(ErrorOf([&] { t.c().put_Redraw(true); }), 6);
  t.clock().Advance(1000);  // the tick's pass fails: no event, and nothing escapes
  EXPECT_TRUE(t.EventNames().empty());
  t.c().put_HMinValue(0);
  t.clock().Advance(1000);
  EXPECT_EQ(t.EventNames(), Names{"TimerTime"});
}

TEST(ControlTimers, StoredSettingsStartATimerThenResetItToTheStoredInterval) {
  TimedControl t;
  int draws = 0;
  ControlTimers timers(t.host, [&] { ++draws; });
  timers.Open();
  ControlTimers::Restore(timers.time(), true, 250);
  ControlTimers::Restore(timers.disk(), false, 15000);
  ASSERT_TRUE(timers.time()->get_Enabled());
  EXPECT_FALSE(timers.disk()->get_Enabled());
  EXPECT_EQ(timers.disk()->get_Interval(), 15000);
  EXPECT_EQ(t.clock().RunningCount(), 1u);
  EXPECT_EQ(t.clock().IntervalOf(timers.time()->TimerID()), 250);
  t.clock().Advance(1000);
  EXPECT_EQ(draws, 4);
  EXPECT_EQ(t.EventNames(), (Names{"TimerTime", "TimerTime", "TimerTime", "TimerTime"}));
  timers.Close();
  EXPECT_EQ(t.clock().RunningCount(), 0u);
}

}  // namespace
}  // namespace vg::testing
