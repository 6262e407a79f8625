#include "common/sample.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <vector>

#include "qt/qt_platform.h"

namespace vg::samples {

Sample::Sample(const QString& path) : form_(Form::Open(path)) {
  Gauge("vgStatusBar");
}

Sample::~Sample() = default;

void Sample::Load() {
  Gauge("vgStatusBar").setTimerTimeEnabled(true);
}

VarigaugeWidget& Sample::Gauge(const QString& name, int index) const {
  auto* gauge = form_->control<VarigaugeWidget>(name, index);
  if (!gauge) throw std::runtime_error("the form has no Varigauge " + Form::RefName(name, index));
  return *gauge;
}

void Press(Sample& sample, const QString& name, int index) {
  auto* button = sample.form().control<QAbstractButton>(name, index);
  if (!button) throw std::runtime_error("the form has no button " + Form::RefName(name, index));
  button->click();
}

namespace {
int step_pace = 0;
}  // namespace

void SetStepPace(int milliseconds) {
  step_pace = std::max(0, milliseconds);
}

void ProcessPendingEvents() {
  Form::ProcessPendingEvents();
  if (step_pace == 0) return;
  QEventLoop wait;
  QTimer::singleShot(step_pace, &wait, &QEventLoop::quit);
  wait.exec();
}

void FillBar(VarigaugeWidget& bar) {
  Block first = bar.block(1);
  first.barLeft = 0;
  bar.setBlock(1, first);
  for (int i = 0; i <= 100; ++i) {
    bar.setValue(i);
    ProcessPendingEvents();
  }
}

FillBarSample::FillBarSample(const QString& path, int bars) : Sample(path) {
  for (int i = 0; i < bars; ++i) {
    Gauge("Varigauge1", i);
    form().on("Command1", i, &QPushButton::clicked, [this, i] { Command1_Click(i); });
  }
}

void FillBarSample::Command1_Click(int Index) {
  FillBar(Gauge("Varigauge1", Index));
}

namespace {

struct Options {
  QString screenshot;
  int after = 0;
  int rounds = -1;  // take the picture at this round of event processing instead
  struct Button {
    QString name;
    int index = -1;
  };
  std::vector<Button> presses;
};

// "NAME" or "NAME:INDEX" with INDEX 0..32767.
bool ParseButton(const QString& text, Options::Button* out) {
  const qsizetype colon = text.indexOf(':');
  out->name = text.left(colon);
  out->index = -1;
  if (out->name.isEmpty()) return false;
  if (colon < 0) return true;
  bool ok = false;
  out->index = text.mid(colon + 1).toInt(&ok);
  return ok && out->index >= 0 && out->index <= 32767;
}

// Reads the arguments Qt left; false with `error` set for any it cannot use.
bool ParseOptions(const QStringList& args, Options* o, QString* error) {
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool has_value = i + 1 < args.size();
    if (a == "--screenshot" && has_value) {
      o->screenshot = args[++i];
    } else if (a == "--after" && has_value) {
      bool ok = false;
      o->after = args[++i].toInt(&ok);
      if (!ok || o->after < 0 || o->after > 600000) {
        *error = "--after takes 0 to 600000 milliseconds";
        return false;
      }
    } else if (a == "--rounds" && has_value) {
      bool ok = false;
      o->rounds = args[++i].toInt(&ok);
      if (!ok || o->rounds < 0 || o->rounds > 1000000) {
        *error = "--rounds takes 0 to 1000000";
        return false;
      }
    } else if (a == "--press" && has_value) {
      Options::Button button;
      if (!ParseButton(args[++i], &button)) {
        *error = "--press takes BUTTON or BUTTON:INDEX, not " + args[i];
        return false;
      }
      o->presses.push_back(button);
    } else {
      *error = "unknown argument " + a;
      return false;
    }
  }
  if (o->after > 0 && o->rounds >= 0) {
    *error = "--after and --rounds exclude each other";
    return false;
  }
  if (o->screenshot.isEmpty() && args.size() > 1) {
    *error = "--after, --rounds and --press go with --screenshot";
    return false;
  }
  return true;
}

// Loads the sample, presses its buttons and writes the window's picture `after`
// milliseconds after loading, or at the given round of event processing. Both are counted
// in the event loop, which includes the event processing of a Start loop still running,
// so a picture may show one part-way.
int Screenshot(QApplication& app, Sample& sample, const Options& o, const char* program) {
  sample.Load();
  sample.window()->show();
  int status = 0;
  bool done = false;
  auto take = [&] {
    if (done) return;
    if (!sample.window()->grab().save(o.screenshot, "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", program, qPrintable(o.screenshot));
      status = 2;
    }
    done = true;
    app.quit();
  };
  // A zero-interval timer fires once in every round of event processing.
  QTimer rounds;
  int round = 0;
  if (o.rounds >= 0) {
    QObject::connect(&rounds, &QTimer::timeout, [&] {
      if (round++ == o.rounds) take();
    });
    rounds.start(0);
  } else {
    QTimer::singleShot(o.after, &app, take);
  }
  for (const Options::Button& b : o.presses) {
    if (done) break;
    try {
      Press(sample, b.name, b.index);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", program, e.what());
      return 2;
    }
  }
  if (!done) app.exec();
  return status;
}

}  // namespace

int RunSample(int argc, char** argv, std::unique_ptr<Sample> (*make)()) {
  const QByteArray name = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toLocal8Bit();
  const char* program = name.constData();
  bool screenshot = false;
  for (int i = 1; i < argc; ++i)
    screenshot = screenshot || std::strcmp(argv[i], "--screenshot") == 0;
  if (ChooseQtPlatform(argc, argv, screenshot) && !screenshot) {
    std::fprintf(stderr,
                 "%s: no display (DISPLAY and WAYLAND_DISPLAY are unset); use --screenshot "
                 "OUT.png to write the window's picture\n",
                 program);
    return 2;
  }
  QApplication app(argc, argv);
  Options o;
  QString error;
  if (!ParseOptions(QApplication::arguments(), &o, &error)) {
    std::fprintf(stderr,
                 "%s: %s\nusage: %s [--screenshot OUT.png [--after MS | --rounds N] [--press "
                 "BUTTON[:INDEX]]...] [--platform NAME]\n",
                 program, qPrintable(error), program);
    return 2;
  }
  std::unique_ptr<Sample> sample;
  try {
    sample = make();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", program, e.what());
    return 1;
  }
  if (!o.screenshot.isEmpty()) return Screenshot(app, *sample, o, program);
  SetStepPace(kDisplayPace);
  sample->Load();
  sample->window()->show();
  return app.exec();
}

}  // namespace vg::samples
