#pragma once
// Volwatch: the used space of drives c, d and e, checked every 15 seconds, and the time of
// the last check in the status bar.
#include <QString>
#include <memory>

#include "common/sample.h"

namespace vg::samples {

class Volwatch : public Sample {
 public:
  Volwatch();
  // Starts the disk bar's 15-second timer, then stamps the status bar.
  void Load() override;
  // Every tick of the disk timer (the bar redraws its disk fields on the same tick).
  void Varigauge1_TimerDisk();

  // "last monitor HH:MM:SS", the time of day on the 24-hour clock, from the thread's timer
  // service (so that a manual clock sets it), else the system clock.
  static QString StampText();

 private:
  void Stamp();
};

std::unique_ptr<Sample> MakeVolwatch();

}  // namespace vg::samples
