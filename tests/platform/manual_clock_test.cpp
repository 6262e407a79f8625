// The manual timer service: ticks in time order, resets, stops from inside a tick, the
// interval floor, refusals, and the wall clock it keeps.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "platform/timers/manual_clock.h"

namespace vg {
namespace {

using Tick = std::pair<uintptr_t, uint32_t>;  // id, time
std::vector<Tick> ticks;
std::function<void(uintptr_t)> on_tick;  // extra work inside a tick

void Record(uintptr_t hwnd, uint32_t msg, uintptr_t id, uint32_t time) {
  EXPECT_EQ(hwnd, 0u);
  EXPECT_EQ(msg, WM_TIMER);
  ticks.emplace_back(id, time);
  if (on_tick) on_tick(id);
}

class ManualClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ticks.clear();
    on_tick = nullptr;
  }
  void TearDown() override { on_tick = nullptr; }
  ManualClock clock;
};

TEST_F(ManualClockTest, TicksOfSeveralTimersArriveInTimeOrderTiesByStartOrder) {
  const uintptr_t a = clock.SetTimer(0, 30, Record);
  const uintptr_t b = clock.SetTimer(0, 20, Record);
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);
  ASSERT_NE(a, b);
  EXPECT_TRUE(clock.Advance(60));
  EXPECT_EQ(ticks, (std::vector<Tick>{{b, 20}, {a, 30}, {b, 40}, {a, 60}, {b, 60}}));
  EXPECT_EQ(clock.Elapsed(), 60);
  ticks.clear();
  EXPECT_TRUE(clock.Advance(19));  // b is next due at 80
  EXPECT_TRUE(ticks.empty());
}

TEST_F(ManualClockTest, ResetKeepsTheIdAndTheNextTickIsOneNewIntervalAfterIt) {
  const uintptr_t id = clock.SetTimer(0, 100, Record);
  clock.Advance(70);
  EXPECT_EQ(clock.SetTimer(id, 50, Record), id);
  EXPECT_EQ(clock.RunningCount(), 1u);
  EXPECT_EQ(clock.IntervalOf(id), 50);
  clock.Advance(49);
  EXPECT_TRUE(ticks.empty());
  clock.Advance(51);
  EXPECT_EQ(ticks, (std::vector<Tick>{{id, 120}, {id, 170}}));
}

TEST_F(ManualClockTest, WorkInsideATickChangesWhatFollowsInTheSameAdvance) {
  const uintptr_t a = clock.SetTimer(0, 10, Record);
  const uintptr_t b = clock.SetTimer(0, 10, Record);
  uintptr_t c = 0;
  on_tick = [&](uintptr_t id) {
    if (id == a) {
      EXPECT_EQ(clock.KillTimer(a), 1);  // stops itself
      EXPECT_EQ(clock.KillTimer(b), 1);  // and b, due at the same time
      c = clock.SetTimer(0, 15, Record);
    }
  };
  clock.Advance(40);
  // b never ticks; c starts at 10 and ticks at 25 and 40, within the same advance.
  EXPECT_EQ(ticks, (std::vector<Tick>{{a, 10}, {c, 25}, {c, 40}}));
}

TEST_F(ManualClockTest, ShortAndNegativeIntervalsRunAtTheMinimum) {
  for (int32_t requested : {0, -5, 1, 9}) {
    ManualClock fresh;
    const uintptr_t id = fresh.SetTimer(0, requested, Record);
    ASSERT_NE(id, 0u) << requested;
    EXPECT_EQ(fresh.IntervalOf(id), kTimerMinimumInterval) << requested;
  }
  ticks.clear();
  clock.SetTimer(0, 0, Record);
  clock.Advance(100);
  EXPECT_EQ(ticks.size(), 10u);
}

TEST_F(ManualClockTest, RefusalsAndConfirmations) {
  clock.set_capacity(1);
  const uintptr_t id = clock.SetTimer(0, 100, Record);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(clock.SetTimer(0, 100, Record), 0u);          // full
  EXPECT_EQ(clock.SetTimer(id + 1000, 100, Record), 0u);  // not a timer of this clock
  EXPECT_EQ(clock.SetTimer(0, 100, nullptr), 0u);
  EXPECT_EQ(clock.KillTimer(id), 1);
  EXPECT_EQ(clock.KillTimer(id), 0);
  EXPECT_FALSE(clock.IsRunning(id));
  EXPECT_FALSE(clock.DeliverTick(id));
  EXPECT_NE(clock.SetTimer(0, 100, Record), 0u);  // room again
}

TEST_F(ManualClockTest, AdvanceRefusesNegativeSpansAndNesting) {
  const uintptr_t id = clock.SetTimer(0, 10, Record);
  EXPECT_FALSE(clock.Advance(-1));
  bool nested = true;
  on_tick = [&](uintptr_t) { nested = clock.Advance(1000); };
  EXPECT_TRUE(clock.Advance(10));
  EXPECT_FALSE(nested);
  EXPECT_EQ(clock.Elapsed(), 10);
  EXPECT_EQ(ticks, (std::vector<Tick>{{id, 10}}));
}

TEST_F(ManualClockTest, DeliverTickDoesNotMoveTime) {
  const uintptr_t id = clock.SetTimer(0, 1000, Record);
  EXPECT_TRUE(clock.DeliverTick(id));
  EXPECT_EQ(ticks, (std::vector<Tick>{{id, 0}}));
  EXPECT_EQ(clock.NextDue(id), 1000);
}

TEST_F(ManualClockTest, WallTimeMovesWithTheClockOnceSet) {
  clock.Advance(5000);
  clock.SetWallTime(*MakeLocalTime(2026, 12, 31, 23, 59, 30));
  EXPECT_EQ(clock.Now(), *MakeLocalTime(2026, 12, 31, 23, 59, 30));
  clock.Advance(61500);
  LocalTime expected = *MakeLocalTime(2027, 1, 1, 0, 0, 31);
  expected.millisecond = 500;
  EXPECT_EQ(clock.Now(), expected);
  EXPECT_EQ(clock.Now().weekday, 5);  // a Friday
}

TEST(ThreadTimerService, TheThreadHoldsItsServiceWeakly) {
  auto clock = std::make_shared<ManualClock>();
  InstallThreadTimerService(clock);
  EXPECT_EQ(ThreadTimerService(), clock);
  clock.reset();
  EXPECT_EQ(ThreadTimerService(), nullptr);
}

TEST(LocalTime, ParsesOnlyValidDatesAndComputesWeekdays) {
  const auto t = ParseLocalTime("2026-12-07 17:45:12");
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->weekday, 1);  // Monday
  EXPECT_EQ(t->hour, 17);
  EXPECT_TRUE(ParseLocalTime("2024-02-29 00:00:00").has_value());
  for (const char* bad : {"2026-02-29 00:00:00", "2026-13-01 00:00:00", "2026-04-31 00:00:00",
                          "2026-12-07 24:00:00", "2026-12-07 17:60:00", "2026-12-07 17:45",
                          "2026/12/07 17:45:12", "2026-12-07T17:45:12", "20x6-12-07 17:45:12"})
    EXPECT_FALSE(ParseLocalTime(bad).has_value()) << bad;
  const LocalTime before_epoch = FromNaiveMilliseconds(-1);
  EXPECT_EQ(before_epoch, (LocalTime{1969, 12, 31, 23, 59, 59, 999, 3}));
}

}  // namespace
}  // namespace vg
