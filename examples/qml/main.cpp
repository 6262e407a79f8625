// The four samples' bars in one Qt Quick window (main.qml). With --picture FILE it renders
// the window once on the software scene graph, without a display, writes it as a PNG and
// exits. VG_QML=FILE shows another QML file instead (which may import Varigauge).
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickView>
#include <QTimer>
#include <cstring>

#include "qt/qt_platform.h"

int main(int argc, char** argv) {
  const char* picture = nullptr;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--picture") == 0) picture = argv[i + 1];
  vg::ChooseQtPlatform(argc, argv, picture != nullptr);
  if (picture) QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
  QGuiApplication app(argc, argv);
  QQuickView view;
  view.engine()->addImportPath(QStringLiteral(VG_QML_IMPORT_DIR));
  view.setTitle(QStringLiteral("Varigauge in Qt Quick"));
  const QString source = qEnvironmentVariable("VG_QML", QStringLiteral("qrc:/varigauge/main.qml"));
  view.setSource(source.startsWith(QLatin1String("qrc:")) ? QUrl(source)
                                                          : QUrl::fromLocalFile(source));
  if (view.status() != QQuickView::Ready) return 1;
  view.show();
  if (!picture) return app.exec();
  // One turn of the event loop lets the first frame be drawn.
  int result = 1;
  QTimer::singleShot(0, [&] {
    result = view.grabWindow().save(QString::fromLocal8Bit(picture)) ? 0 : 1;
    app.quit();
  });
  app.exec();
  return result;
}
