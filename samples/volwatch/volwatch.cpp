#include "volwatch/volwatch.h"

#include "platform/timers/timer_service.h"

namespace vg::samples {

Volwatch::Volwatch() : Sample(":/samples/volwatch.ui") {
  form().on("Varigauge1", &VarigaugeWidget::timerDisk, [this] { Varigauge1_TimerDisk(); });
}

void Volwatch::Load() {
  Sample::Load();
  VarigaugeWidget& disks = Gauge("Varigauge1");
  disks.setTimerDiskInterval(15000);
  disks.setTimerDiskEnabled(true);
  Stamp();
}

void Volwatch::Varigauge1_TimerDisk() {
  Stamp();
}

QString Volwatch::StampText() {
  const std::shared_ptr<TimerService> service = ThreadTimerService();
  const LocalTime now = service ? service->Now() : SystemLocalTime();
  return QString::asprintf("last monitor %02d:%02d:%02d", now.hour, now.minute, now.second);
}

void Volwatch::Stamp() {
  VarigaugeWidget& status = Gauge("vgStatusBar");
  Block clock = status.block(3);
  clock.text = StampText();
  status.setBlock(3, clock);
}

std::unique_ptr<Sample> MakeVolwatch() {
  return std::make_unique<Volwatch>();
}

}  // namespace vg::samples
