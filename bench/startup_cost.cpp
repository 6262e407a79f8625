// Counts what starting a small form and showing its first frame costs, for callgrind (run
// the whole program, without --toggle-collect), on Qt's offscreen platform:
//
//   QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind build/bench/startup_cost varigauge
//
// "qt": a form of three push buttons and three Fusion progress bars; "varigauge": the same
// form with the progress bars replaced by controls (two progress blocks and the samples'
// status bar). The program ends once the form's first frame has been painted.
#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "bench/scenarios.h"
#include "qt/varigauge_widget.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc != 2 || (std::strcmp(argv[1], "qt") != 0 && std::strcmp(argv[1], "varigauge") != 0)) {
    std::fprintf(stderr, "usage: startup_cost qt|varigauge\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  const bool ours = std::strcmp(argv[1], "varigauge") == 0;
  QWidget form;
  auto* layout = new QVBoxLayout(&form);
  for (int i = 0; i < 3; ++i) layout->addWidget(new QPushButton(QString("Button %1").arg(i)));
  for (int i = 0; i < 3; ++i) {
    if (!ours) {
      auto* bar = new QProgressBar;
      bar->setValue(30 * i + 10);
      layout->addWidget(bar);
      continue;
    }
    auto* bar = new vg::VarigaugeWidget;
    bar->resize(i == 2 ? 720 : 300, i == 2 ? 24 : 25);
    if (i == 2)
      vg::bench::StatusBar(bar->control());
    else
      vg::bench::AddProgressBlocks(bar->control(), 1);
    layout->addWidget(bar);
  }
  form.show();
  QApplication::processEvents();
  std::printf("first frame of the %s form\n", argv[1]);
  return 0;
}
