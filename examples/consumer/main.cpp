// Places one control in a headless host, sets two properties and prints them back with the
// colour of a pixel from the painted window.
#include <cstdio>
#include <memory>

#include "control/varigauge.h"
#include "platform/host/headless_host.h"

int main() {
  vg::HeadlessHost host({.width_px = 120, .height_px = 20});
  std::shared_ptr<vg::Varigauge> bar;
  host.Place([&](vg::UserControl& site) { return bar = std::make_shared<vg::Varigauge>(site); });
  bar->put_Caption("Installed");
  bar->put_BackColor(0x00FF8000);  // &HBBGGRR: a light blue
  host.Paint();
  std::printf("Caption=%s BackColor=&H%06X Pixel=&H%06X\n", bar->get_Caption().c_str(),
              static_cast<unsigned>(bar->get_BackColor()), static_cast<unsigned>(host.Pixel(2, 2)));
  host.Destroy();
  return 0;
}
