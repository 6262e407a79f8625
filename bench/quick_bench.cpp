// The Qt Quick item on the offscreen platform and the software scene graph:
//   ListViewScroll: 1,000 items as a ListView's delegates, scrolled a screen a frame; frames
//     per second as items_per_second, and the resident memory each item adds (item_kB);
//   AnimatedValue: one value gliding at 60 frames a second on the Qt event loop; the share
//     of one core its process uses while it runs (core_share).
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

#include "quick/varigauge_item.h"

namespace {

// Resident memory of the process in kB.
long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      return value;
    }
    status.ignore(1 << 12, '\n');
  }
  return 0;
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

std::unique_ptr<QObject> Create(QQmlEngine& engine, const QByteArray& qml, QQuickWindow& window) {
  engine.addImportPath(VG_QML_IMPORT_DIR);
  QQmlComponent component(&engine);
  component.setData("import QtQuick\nimport Varigauge\n" + qml, QUrl());
  std::unique_ptr<QObject> object(component.create());
  if (!object) qFatal("%s", qPrintable(component.errorString()));
  qobject_cast<QQuickItem*>(object.get())->setParentItem(window.contentItem());
  return object;
}

void ListViewScroll(benchmark::State& state) {
  QQmlEngine engine;
  QQuickWindow window;
  window.resize(300, 600);
  const long before = ResidentKb();
  auto view = Create(engine, R"(ListView {
      width: 300; height: 600
      model: 1000
      cacheBuffer: 30000
      delegate: Varigauge {
        required property int index
        width: 300; height: 30
        value: index % 101
        blocks: [ VarigaugeBlock { text: "!h%!"; color: "navy"; textColor: "white" } ]
      }
    })",
                     window);
  window.show();
  QCoreApplication::processEvents();
  const long with_items = ResidentKb();
  auto* list = qobject_cast<QQuickItem*>(view.get());
  double y = 0;
  const double content = list->property("contentHeight").toDouble() - 600;
  for (auto _ : state) {
    y = y + 600 > content ? 0 : y + 600;
    list->setProperty("contentY", y);
    window.grabWindow();  // one frame, drawn
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["item_kB"] = static_cast<double>(with_items - before) / 1000.0;
}
BENCHMARK(ListViewScroll)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void AnimatedValue(benchmark::State& state) {
  QQmlEngine engine;
  QQuickWindow window;
  window.resize(300, 30);
  auto object = Create(engine, R"(Varigauge {
      width: 300; height: 30
      animated: true; animationDuration: 1000
      easingCurve.type: Easing.Linear
      blocks: [ VarigaugeBlock { barRight: 0; text: "!h%!" } ]
    })",
                       window);
  auto* item = qobject_cast<vg::VarigaugeItem*>(object.get());
  window.show();
  QCoreApplication::processEvents();
  double share = 0;
  int target = 100;
  for (auto _ : state) {
    // One second of gliding, frames drawn by the window's own render loop.
    const double cpu = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    item->setValue(target);
    target = 100 - target;
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    share = (CpuSeconds() - cpu) / (wall.nsecsElapsed() / 1e9);
  }
  state.counters["core_share"] = share;
}
BENCHMARK(AnimatedValue)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
