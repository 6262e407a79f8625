// The Qt Quick item on the offscreen platform and the software scene graph:
//   MemoryPerItem: 1,000 items made and drawn in one window beside one item made before
//     them; what each adds to the resident memory (rss_kB) and to the heap in use
//     (heap_kB), the control and its window's pixels and the item's own texture image
//     included. It runs first: memory another benchmark freed would be reused unseen by
//     the resident count;
//   ListViewScroll: 1,000 items as a ListView's delegates, scrolled a screen a frame; frames
//     per second as items_per_second;
//   AnimatedValue: one value gliding at 60 frames a second on the Qt event loop; the share
//     of one core its process uses while it runs (core_share).
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>
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

// Resident memory of the process in kB (the second field of /proc/self/statm, in pages).
double ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

// The heap in use in kB: allocated small blocks and mapped large ones.
double HeapKb() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / 1024.0;
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

void MemoryPerItem(benchmark::State& state) {
  constexpr int kItems = 1000;
  QQmlEngine engine;
  QQuickWindow window;
  // Every item in view (10 columns of 100 rows of 300 x 30 below the first), so that each is drawn
  // and has its texture image; the window's own buffer is made with the first frame, before the
  // measurement starts.
  window.resize(3000, 3030);
  const QByteArray delegate = R"(Varigauge {
        width: 300; height: 30
        value: 40
        blocks: [ VarigaugeBlock { text: "!h%!"; color: "navy"; textColor: "white" } ]
      })";
  // One item first: the module, the fonts and the first frame are loaded before counting.
  auto first = Create(engine, "Item { x: 0; y: 0\n" + delegate + "}", window);
  window.show();
  window.grabWindow();
  for (auto _ : state) {
    const double rss = ResidentKb(), heap = HeapKb();
    auto grid =
        Create(engine,
               "Grid { y: 30; columns: 10\n Repeater { model: " + QByteArray::number(kItems) +
                   "\n delegate: " + delegate + "}}",
               window);
    auto* g = qobject_cast<QQuickItem*>(grid.get());
    if (g->childItems().size() != kItems + 1)  // the items and the Repeater
      state.SkipWithError("the grid did not make its items");
    window.grabWindow();  // every item drawn into its texture
    state.counters["rss_kB"] = (ResidentKb() - rss) / kItems;
    state.counters["heap_kB"] = (HeapKb() - heap) / kItems;
  }
}
BENCHMARK(MemoryPerItem)->Unit(benchmark::kMillisecond)->Iterations(1);

void ListViewScroll(benchmark::State& state) {
  QQmlEngine engine;
  QQuickWindow window;
  window.resize(300, 600);
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
  auto* list = qobject_cast<QQuickItem*>(view.get());
  double y = 0;
  const double content = list->property("contentHeight").toDouble() - 600;
  for (auto _ : state) {
    y = y + 600 > content ? 0 : y + 600;
    list->setProperty("contentY", y);
    window.grabWindow();  // one frame, drawn
  }
  state.SetItemsProcessed(state.iterations());
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
