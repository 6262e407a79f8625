// The Qt Quick item tested from QML (Qt Quick Test): the TestCases in tests/quick/qml/ run
// on the offscreen platform and the software scene graph, with the module Varigauge from
// the build tree and a manual clock for the thread, which QML moves with clock.advance(ms).
#include <QGuiApplication>
#include <QObject>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QtQuickTest>
#include <memory>

#include "platform/timers/local_time.h"
#include "platform/timers/manual_clock.h"

namespace {

// The thread's manual clock as QML sees it.
class Clock : public QObject {
  Q_OBJECT

 public:
  explicit Clock(std::shared_ptr<vg::ManualClock> clock) : clock_(std::move(clock)) {}
  Q_INVOKABLE void advance(int ms) { clock_->Advance(ms); }

 private:
  std::shared_ptr<vg::ManualClock> clock_;
};

class Setup : public QObject {
  Q_OBJECT

 public slots:
  void applicationAvailable() {
    // The items made by the tests tick on this clock, at a fixed wall time.
    clock_->SetWallTime(*vg::MakeLocalTime(2026, 12, 7, 17, 45, 12));
    vg::InstallThreadTimerService(clock_);
  }
  void qmlEngineAvailable(QQmlEngine* engine) {
    engine->addImportPath(QStringLiteral(VG_QML_IMPORT_DIR));
    engine->rootContext()->setContextProperty(QStringLiteral("clock"), &qml_clock_);
  }
  void cleanupTestCase() { vg::InstallThreadTimerService(nullptr); }

 private:
  std::shared_ptr<vg::ManualClock> clock_ = std::make_shared<vg::ManualClock>();
  Clock qml_clock_{clock_};
};

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", "/tmp");
  // The software scene graph: pictures are the same on every machine, with or without GPU.
  QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
  QTEST_SET_MAIN_SOURCE_PATH
  Setup setup;
  return quick_test_main_with_setup(argc, argv, "varigauge_qml", VG_QML_TEST_DIR, &setup);
}

#include "quick_qml_test.moc"
