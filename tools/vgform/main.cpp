// vgform FILE.ui [--screenshot OUT.png [--after MS]] [--platform NAME]
// vgform FILE.ui --pages NAME [--screenshot DIR] [--platform NAME]
// Opens a form and shows it. With --screenshot, runs MS milliseconds (timers included,
// default 0), writes the window's picture to OUT.png and exits. With --pages, opens the
// property sheet of the Varigauge NAME instead; with --screenshot too, writes a picture of
// every page into DIR and exits. Without a display Qt's offscreen platform is used;
// --platform is Qt's own option.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "qt/form_runtime.h"
#include "qt/qt_platform.h"
#include "tools/vgform/property_pages.h"

namespace {

const char kUsage[] =
    "usage: vgform FILE.ui [--screenshot OUT.png [--after MS]] [--platform NAME]\n"
    "       vgform FILE.ui --pages NAME [--screenshot DIR] [--platform NAME]\n";

}  // namespace

int main(int argc, char** argv) {
  vg::ChooseQtPlatform(argc, argv, false);
  QApplication app(argc, argv);

  QString file, screenshot, pages;
  long after = 0;
  const QStringList args = QApplication::arguments();
  for (int i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == "--screenshot" && i + 1 < args.size()) {
      screenshot = args[++i];
    } else if (a == "--pages" && i + 1 < args.size()) {
      pages = args[++i];
    } else if (a == "--after" && i + 1 < args.size()) {
      bool ok = false;
      after = args[++i].toLong(&ok);
      if (!ok || after < 0 || after > 600000) {
        std::fputs("vgform: --after takes 0 to 600000 milliseconds\n", stderr);
        return 2;
      }
    } else if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (file.isEmpty() && !a.startsWith("-")) {
      file = a;
    } else {
      std::fprintf(stderr, "vgform: unknown argument %s\n%s", qPrintable(a), kUsage);
      return 2;
    }
  }
  if (file.isEmpty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  std::unique_ptr<vg::Form> form;
  try {
    form = vg::Form::Open(file);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vgform: %s\n", e.what());
    return 1;
  }
  if (!pages.isEmpty()) return vg::RunPropertyPages(*form, pages, screenshot);
  form->window()->show();
  if (screenshot.isEmpty()) return app.exec();

  int status = 0;
  QTimer::singleShot(static_cast<int>(after), [&] {
    if (!form->window()->grab().save(screenshot, "PNG")) {
      std::fprintf(stderr, "vgform: cannot write %s\n", qPrintable(screenshot));
      status = 1;
    }
    app.quit();
  });
  app.exec();
  return status;
}
