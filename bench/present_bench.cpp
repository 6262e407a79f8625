// Presenting the control on Qt's offscreen platform: a paintEvent of the whole widget (the
// window's buffer drawn as it stands) beside the render pass alone, for a status-bar sized
// control (300 x 25) and a wide one (1920 x 200).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "control/varigauge.h"
#include "qt/varigauge_widget.h"

namespace {

vg::VarigaugeWidget& Widget(int w, int h) {
  static vg::VarigaugeWidget* widget = nullptr;
  delete widget;
  widget = new vg::VarigaugeWidget;
  widget->resize(w, h);
  widget->show();
  vg::Varigauge& c = widget->control();
  c.put_Caption("Copying");
  c.put_GradientStyle(3);
  c.put_Blocks(1);
  c.put_BlockBarLeft(vg::Variant::Integer(1), 0);
  c.put_BlockBarRight(vg::Variant::Integer(1), 60);
  c.put_BlockText(vg::Variant::Integer(1), "60 %");
  QApplication::processEvents();
  return *widget;
}

// One present: the widget paints itself into an image in the format of the backing store
// (RGB32 on the offscreen platform and on X11 without alpha), as the backing store would.
void BM_Present(benchmark::State& state) {
  vg::VarigaugeWidget& w =
      Widget(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  QImage target(w.size(), QImage::Format_RGB32);  // the backing store's format
  for (auto _ : state) {
    w.render(&target, QPoint(), QRegion(), QWidget::DrawChildren);
    benchmark::DoNotOptimize(target.constBits());
  }
}

// One render pass of the same control, without presenting it.
void BM_RenderPass(benchmark::State& state) {
  vg::VarigaugeWidget& w =
      Widget(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) w.control().Refresh();
}

BENCHMARK(BM_Present)->Args({300, 25})->Args({1920, 200});
BENCHMARK(BM_RenderPass)->Args({300, 25})->Args({1920, 200});

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
