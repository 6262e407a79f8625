#pragma once
// What the sample tests share: a fixed wall clock and drive map for the thread (so clocks
// and disk fields show the same thing on every run), and a hook into every round of event
// processing, where a Start loop's steps can be watched.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/disk/disk_map.h"
#include "platform/timers/manual_clock.h"
#include "qt/varigauge_widget.h"

namespace vg::samples {

class SampleTest : public ::testing::Test {
 protected:
  SampleTest() : clock_(ShareThreadManualClock()), disks_(map_) {
    clock_->SetWallTime(*MakeLocalTime(2026, 12, 8, 12, 34, 56));
    map_->SetBytes('c', 30, 100);  // 70 % used
    map_->SetBytes('d', 3, 4);     // 25 % used
    map_->SetFailing('e');
  }

  std::shared_ptr<ManualClock> clock_;
  std::shared_ptr<DiskMap> map_ = std::make_shared<DiskMap>();
  ScopedDiskProvider disks_;
};

// Calls `each` once in every round of event processing while it lives: a zero-interval
// timer fires once per round, and a Start loop runs one round per step.
class EveryRound {
 public:
  explicit EveryRound(std::function<void()> each) {
    QObject::connect(&timer_, &QTimer::timeout, std::move(each));
    timer_.start(0);
  }

 private:
  QTimer timer_;
};

// The text block `index` (0-based among the drawn blocks) shows, live fields filled in.
inline QString ShownText(VarigaugeWidget& bar, int index = 0) {
  QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&bar);
  if (!root || index >= root->childCount()) return QString();
  return root->child(index)->text(QAccessible::Name);
}

}  // namespace vg::samples
