#pragma once
// Pixels as the widget presents them and as a headless host holds them, in COLORREF order,
// for comparing the two.
#include <QImage>
#include <vector>

#include "control/varigauge.h"
#include "platform/host/headless_host.h"
#include "qt/varigauge_widget.h"

namespace vg::qt_test {

// The window's picture as the widget presents it, in device pixels.
inline std::vector<COLORREF> Presented(VarigaugeWidget& w) {
  QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGBX8888);
  std::vector<COLORREF> out;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const COLORREF*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) out.push_back(row[x] & 0xFFFFFF);
  }
  return out;
}

inline std::vector<COLORREF> Headless(HeadlessHost& host) {
  gdi::PixelView v = host.Pixels();
  std::vector<COLORREF> out;
  for (int i = 0; i < v.width * v.height; ++i) out.push_back(v.pixels[i] & 0xFFFFFF);
  return out;
}

// A caption, a gradient and a block with a text: borders, text and fills all show.
inline void Configure(Varigauge& c) {
  c.put_Redraw(false);
  c.put_Caption("Qt");
  c.put_GradientStyle(3);
  c.put_Blocks(1);
  c.put_BlockBarRight(Variant::Integer(1), 60);
  c.put_BlockText(Variant::Integer(1), "60%");
  c.put_Redraw(true);
}

}  // namespace vg::qt_test
