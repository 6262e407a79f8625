// IntervalTimer, its relay and the thread's table of timer links, over a manual clock: what the
// control's own timer tests cannot see (the table, a vanished service, a timer ended by its
// own tick).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/interval_timer.h"
#include "control/timer_dispatch.h"
#include "platform/timers/manual_clock.h"

namespace vg {
namespace {

struct Counter : TimerEvents {
  void Timer(IntervalTimer& source) override {
    sources.push_back(&source);
    if (work) work(source);
  }
  std::vector<IntervalTimer*> sources;
  std::function<void(IntervalTimer&)> work;
};

class TimerObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallThreadTimerService(clock); }
  bool HasKey(uintptr_t id) { return ThreadTimerLinks().count(id) != 0; }
  std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
  Counter events;
};

TEST_F(TimerObjectsTest, StartsStoppedAtOneMillisecondAndMakesTheTable) {
  IntervalTimer timer(&events);
  EXPECT_TRUE(TimerLinksExist());
  EXPECT_EQ(timer.get_Interval(), 1);
  EXPECT_FALSE(timer.get_Enabled());
  EXPECT_EQ(timer.TimerID(), 0u);
  clock->Advance(1000);
  EXPECT_TRUE(events.sources.empty());
}

TEST_F(TimerObjectsTest, EnablingTwiceStartsOneTimerRegisteredUnderItsId) {
  IntervalTimer timer(&events);
  timer.put_Interval(250);
  timer.put_Enabled(true);
  timer.put_Enabled(true);
  EXPECT_EQ(clock->RunningCount(), 1u);
  ASSERT_TRUE(timer.get_Enabled());
  EXPECT_TRUE(HasKey(timer.TimerID()));
  clock->Advance(1000);
  EXPECT_EQ(events.sources.size(), 4u);
  EXPECT_EQ(events.sources[0], &timer);
}

TEST_F(TimerObjectsTest, ARefusedStartLeavesTheTimerStopped) {
  clock->set_capacity(0);
  IntervalTimer timer(&events);
  timer.put_Enabled(true);
  EXPECT_FALSE(timer.get_Enabled());
  EXPECT_EQ(timer.TimerID(), 0u);
  // No service on the thread at all: refused the same way.
  InstallThreadTimerService(nullptr);
  timer.put_Enabled(true);
  EXPECT_FALSE(timer.get_Enabled());
}

TEST_F(TimerObjectsTest, ATimerWhoseServiceIsGoneCanStillStopAndEnd) {
  auto timer = std::make_unique<IntervalTimer>(&events);
  timer->put_Enabled(true);
  const uintptr_t id = timer->TimerID();
  clock.reset();
  timer->put_Interval(50);  // nowhere to send the reset; no harm
  timer->put_Enabled(false);
  EXPECT_FALSE(timer->get_Enabled());
  EXPECT_FALSE(HasKey(id));
}

TEST_F(TimerObjectsTest, ATickMayEndItsOwnTimer) {
  auto timer = std::make_unique<IntervalTimer>(&events);
  timer->put_Interval(100);
  timer->put_Enabled(true);
  events.work = [&](IntervalTimer&) { timer.reset(); };
  clock->Advance(1000);
  EXPECT_EQ(events.sources.size(), 1u);
  EXPECT_EQ(clock->RunningCount(), 0u);
}

}  // namespace
}  // namespace vg
