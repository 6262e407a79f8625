// The samples' handlers against their forms: the Start loops step by step, the restore
// before each Multistrip run, and Volwatch's status stamp with a fixed clock and drives.
#include <QImage>
#include <QTimer>
#include <numeric>
#include <vector>

#include "multistrip/multistrip.h"
#include "tests/samples/sample_fixture.h"
#include "unistrip/unistrip.h"
#include "volwatch/volwatch.h"

namespace vg::samples {
namespace {

using MultistripTest = SampleTest;
using UnistripTest = SampleTest;
using VolwatchTest = SampleTest;

VarigaugeWidget& Bar(Sample& s, const QString& name, int index = -1) {
  auto* bar = s.form().control<VarigaugeWidget>(name, index);
  if (!bar) throw std::runtime_error("no bar " + name.toStdString());
  return *bar;
}

// The blocks' left and right bars.
std::vector<int> Bars(VarigaugeWidget& bar) {
  std::vector<int> out;
  for (int16_t n = 1; n <= bar.control().get_Blocks(); ++n) {
    out.push_back(bar.block(n).barLeft);
    out.push_back(bar.block(n).barRight);
  }
  return out;
}

// A form without a control the handlers use is refused when the sample opens.
TEST_F(SampleTest, AFormLackingAControlFailsToOpen) {
  EXPECT_THROW(Sample(qgetenv("VG_SOURCE_DIR") + "/tests/qt/runtime_form.ui"), std::runtime_error);
  EXPECT_THROW(FillBarSample(":/samples/multistrip.ui", 1), std::runtime_error);
  EXPECT_NO_THROW(FillBarSample(":/samples/unistrip.ui", 7));
  EXPECT_THROW(Sample(":/samples/missing.ui"), std::runtime_error);
}

TEST_F(MultistripTest, EveryCommand2RunStartsFromTheLoadTimePicture) {
  Multistrip m;
  m.Load();
  VarigaugeWidget& bar = Bar(m, "Varigauge2");
  for (int16_t n = 1; n <= 3; ++n) EXPECT_TRUE(bar.block(n).visible);

  struct Step {
    std::vector<int> bars;
    QImage picture;
  };
  std::vector<Step> runs[2];
  for (auto& run : runs) {
    EveryRound hook([&] { run.push_back({Bars(bar), bar.grab().toImage()}); });
    Press(m, "Command2");
  }
  ASSERT_EQ(runs[0].size(), 47u);
  EXPECT_EQ(runs[0].front().bars, (std::vector<int>{1, 4, 96, 99, 4, 96}));
  EXPECT_EQ(runs[0].back().bars, (std::vector<int>{47, 50, 50, 53, 50, 50}));
  ASSERT_EQ(runs[1].size(), runs[0].size());
  for (size_t i = 0; i < runs[0].size(); ++i) {
    EXPECT_EQ(runs[1][i].bars, runs[0][i].bars) << "step " << i;
    EXPECT_EQ(runs[1][i].picture, runs[0][i].picture) << "step " << i;
  }
}

TEST_F(MultistripTest, Command1MovesBothBlocksToEachStepInOneDrawing) {
  Multistrip m;
  m.Load();
  VarigaugeWidget& bar = Bar(m, "Varigauge1");
  std::vector<std::vector<int>> steps;
  EveryRound hook([&] { steps.push_back(Bars(bar)); });
  Press(m, "Command1");
  ASSERT_EQ(steps.size(), 101u);
  for (int i : {0, 42, 100}) EXPECT_EQ(steps[i], (std::vector<int>{0, i, i, 100}));
  EXPECT_TRUE(bar.control().get_Redraw());
}

// Bar 1 (a diagonal cross over the colour) and bar 6 (turned, embossed text in a sentence)
// fill from 0 to 100 %, their drawn block and text following each step.
TEST_F(UnistripTest, BarsFillFromNothingToFullWithTheirPercentageShown) {
  struct Case {
    int index;
    QString text_at_37;
  };
  for (const Case& c : {Case{1, "37 %"}, Case{6, "Process is 37 % complete"}}) {
    SCOPED_TRACE(c.index);
    Unistrip u;
    u.Load();
    VarigaugeWidget& bar = Bar(u, "Varigauge1", c.index);
    const QImage empty = bar.grab().toImage();
    std::vector<int> rights;
    QString text_at_37;
    int edge_at_37 = -1;
    EveryRound hook([&] {
      const int right = bar.block(1).barRight;
      rights.push_back(right);
      if (right != 37) return;
      text_at_37 = ShownText(bar);
      // The last column of the top row the block paints (the row above any text).
      const QImage now = bar.grab().toImage();
      for (int x = 0; x < now.width(); ++x)
        if (now.pixel(x, 4) != empty.pixel(x, 4)) edge_at_37 = x;
    });
    Press(u, "Command1", c.index);
    ASSERT_EQ(rights.size(), 101u);
    for (int i = 0; i <= 100; ++i) EXPECT_EQ(rights[i], i);
    EXPECT_EQ(text_at_37, c.text_at_37);
    // 37 % of the 606 pixels inside the frame, give or take the block's edge pixel.
    EXPECT_NEAR(edge_at_37, 2 + 606 * 37 / 100, 2);
    EXPECT_EQ(bar.block(1).hPercentage, QStringLiteral("100"));
  }
}

// A press while a Start loop runs starts a second loop inside the first: the other bar
// fills completely while the first one waits at its step, then the first one goes on.
TEST_F(UnistripTest, APressDuringALoopRunsASecondLoopInsideIt) {
  Unistrip u;
  u.Load();
  VarigaugeWidget& first = Bar(u, "Varigauge1", 0);
  VarigaugeWidget& second = Bar(u, "Varigauge1", 1);
  auto right = [](VarigaugeWidget& bar) { return bar.block(1).barRight; };
  std::vector<std::pair<int, int>> steps;
  EveryRound hook([&] {
    steps.emplace_back(right(first), right(second));
    // The press arrives as a user's would, from the first loop's event processing: the
    // processing of its next step.
    if (steps.back() == std::make_pair(50, -1))
      QTimer::singleShot(0, [&u] { Press(u, "Command1", 1); });
  });
  Press(u, "Command1", 0);
  std::vector<int> inner;  // the second bar's steps, each seen with the first one waiting
  for (auto [a, b] : steps)
    if (b >= 0 && b < 100) {
      EXPECT_EQ(a, 51) << "the first bar moved during the second loop";
      inner.push_back(b);
    }
  std::vector<int> all(100);
  std::iota(all.begin(), all.end(), 0);
  EXPECT_EQ(inner, all);
  EXPECT_EQ(steps.back(), std::make_pair(100, 100));
}

// With a pace, as on a display, each step waits in an event loop: a press that arrives
// during the wait starts its loop there. The first loop lasts at least 101 paces, so a
// press due after 20 ms always lands inside it.
TEST_F(UnistripTest, WithAPaceAPressDuringAStepsWaitRunsInsideTheLoop) {
  struct Pace {
    Pace() { SetStepPace(1); }
    ~Pace() { SetStepPace(0); }
  } pace;
  Unistrip u;
  u.Load();
  VarigaugeWidget& first = Bar(u, "Varigauge1", 0);
  VarigaugeWidget& second = Bar(u, "Varigauge1", 1);
  int first_when_pressed = -1;
  QTimer::singleShot(20, [&] {
    first_when_pressed = first.block(1).barRight;
    Press(u, "Command1", 1);
    EXPECT_EQ(first.block(1).barRight, first_when_pressed);
  });
  Press(u, "Command1", 0);
  EXPECT_GE(first_when_pressed, 0);
  EXPECT_LT(first_when_pressed, 100);
  EXPECT_EQ(first.block(1).barRight, 100);
  EXPECT_EQ(second.block(1).barRight, 100);
}

TEST_F(VolwatchTest, StampsTheTimeAtLoadAndOnEveryDiskTick) {
  clock_->SetWallTime(*MakeLocalTime(2026, 12, 8, 23, 59, 50));
  Volwatch v;
  v.Load();
  VarigaugeWidget& status = Bar(v, "vgStatusBar");
  VarigaugeWidget& disks = Bar(v, "Varigauge1");
  int ticks = 0;
  QObject::connect(&disks, &VarigaugeWidget::timerDisk, [&] { ++ticks; });
  auto stamp = [&] { return status.block(3).text.toStdString(); };
  EXPECT_EQ(stamp(), "last monitor 23:59:50");
  EXPECT_EQ(disks.control().get_TimerDiskInterval(), 15000);

  clock_->Advance(14999);
  EXPECT_EQ(stamp(), "last monitor 23:59:50");
  map_->SetBytes('c', 10, 100);  // the drive fills up before the tick
  clock_->Advance(1);
  EXPECT_EQ(stamp(), "last monitor 00:00:05");
  EXPECT_EQ(disks.block(1).barRight, 90);
  clock_->Advance(45000);
  EXPECT_EQ(ticks, 4);
  EXPECT_EQ(stamp(), "last monitor 00:00:50");
}

// A drive the query fails for (e here) shows a ratio of 0: its block shrinks to nothing.
TEST_F(VolwatchTest, DrivesShowTheirUsedShareAndAMissingDriveShowsNone) {
  Volwatch v;
  v.Load();
  VarigaugeWidget& disks = Bar(v, "Varigauge1");
  disks.control().Refresh();
  EXPECT_EQ(disks.block(1).barRight, 70);
  EXPECT_EQ(disks.block(2).barRight, 25);
  EXPECT_EQ(disks.block(3).barRight, 0);
  EXPECT_EQ(disks.block(3).hPercentage, QStringLiteral("0"));
  EXPECT_EQ(ShownText(disks, 0), "C: 70 %");
  EXPECT_EQ(ShownText(disks, 1), "D: 25 %");
}

}  // namespace
}  // namespace vg::samples
