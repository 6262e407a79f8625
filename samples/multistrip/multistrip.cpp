#include "multistrip/multistrip.h"

#include <QPushButton>

namespace vg::samples {

Multistrip::Multistrip() : Sample(":/samples/multistrip.ui") {
  Gauge("Varigauge1");
  Gauge("Varigauge2");
  form().on("Command1", &QPushButton::clicked, [this] { Command1_Click(); });
  form().on("Command2", &QPushButton::clicked, [this] { Command2_Click(); });
}

void Multistrip::Load() {
  Sample::Load();
  Varigauge& bar = Gauge("Varigauge2").control();
  bar.SetBlockVisible(true);
  bar.SaveSetting();
}

void Multistrip::Command1_Click() {
  Varigauge& bar = Gauge("Varigauge1").control();
  bar.put_BlockBarLeft(Block(1), 0);
  bar.put_BlockBarRight(Block(2), 100);
  for (int16_t i = 0; i <= 100; ++i) {
    // One drawing per step: both edges move while drawing is off.
    bar.put_Redraw(false);
    bar.put_BlockBarRight(Block(1), i);
    bar.put_BlockBarLeft(Block(2), i);
    bar.put_Redraw(true);
    ProcessPendingEvents();
  }
}

void Multistrip::Command2_Click() {
  Varigauge& bar = Gauge("Varigauge2").control();
  bar.put_BlockBarLeft(Block(1), 0);
  bar.put_BlockBarRight(Block(2), 100);
  bar.RestoreSetting();
  auto move = [&bar](int16_t n, int step) {
    bar.put_BlockBarLeft(Block(n), static_cast<int16_t>(bar.get_BlockBarLeft(Block(n)) + step));
    bar.put_BlockBarRight(Block(n), static_cast<int16_t>(bar.get_BlockBarRight(Block(n)) + step));
  };
  for (int count = 0; count <= 46; ++count) {
    bar.put_Redraw(false);
    move(1, 1);
    move(2, -1);
    bar.put_BlockBarLeft(Block(3), bar.get_BlockBarRight(Block(1)));
    bar.put_BlockBarRight(Block(3), bar.get_BlockBarLeft(Block(2)));
    bar.put_Redraw(true);
    ProcessPendingEvents();
  }
}

std::unique_ptr<Sample> MakeMultistrip() {
  return std::make_unique<Multistrip>();
}

}  // namespace vg::samples
