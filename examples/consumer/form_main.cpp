// Opens form.ui through the form runtime, finds the control the form places and prints what
// the form's property bag gave it. With --screenshot OUT.png it also writes the window's
// picture. Without a display Qt's offscreen platform is used.
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <exception>
#include <memory>

#include "qt/form_runtime.h"
#include "qt/varigauge_widget.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
      !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  const qsizetype at = args.indexOf("--screenshot");
  const QString screenshot = at > 0 && at + 1 < args.size() ? args[at + 1] : QString();

  std::unique_ptr<vg::Form> form;
  try {
    form = vg::Form::Open(CONSUMER_FORM);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "consumer_form: %s\n", e.what());
    return 1;
  }
  auto* gauge = form->control<vg::VarigaugeWidget>("Gauge");
  if (!gauge) {
    std::fputs("consumer_form: the form has no control Gauge\n", stderr);
    return 1;
  }
  form->window()->show();
  vg::Varigauge& bar = gauge->control();
  std::printf("Gauge Blocks=%d Text=%s BarRight=%d\n", bar.get_Blocks(),
              bar.get_BlockText(vg::Variant::Integer(1)).c_str(),
              bar.get_BlockBarRight(vg::Variant::Integer(1)));
  if (!screenshot.isEmpty()) {
    if (!form->window()->grab().save(screenshot, "PNG")) {
      std::fprintf(stderr, "consumer_form: cannot write %s\n", qPrintable(screenshot));
      return 1;
    }
    std::printf("Wrote %s\n", qPrintable(screenshot));
  }
  return 0;
}
