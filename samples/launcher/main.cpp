// varigauge-samples: a small window that opens the four sample programs.
//   varigauge-samples                      shows the launcher (needs a display);
//   varigauge-samples --gallery OUT.png [--fifth PICTURE.png TITLE]
//                                          writes the gallery picture and exits; it needs
//                                          no display. --fifth adds another window's
//                                          picture (the QML example's) under TITLE.
// Qt's -platform (or --platform) NAME is accepted.
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "launcher/gallery.h"
#include "launcher/sample_list.h"
#include "qt/qt_platform.h"

namespace {

constexpr char kUsage[] =
    "usage: varigauge-samples [--gallery OUT.png [--fifth PICTURE.png TITLE]] [--platform NAME]\n";

// The launcher: one button per sample; each press opens a new window of that sample,
// which lives until the launcher closes.
int Launch(QApplication& app) {
  using namespace vg::samples;
  QWidget window;
  window.setWindowTitle("Varigauge samples");
  auto* grid = new QGridLayout(&window);
  auto* heading =
      new QLabel("<b>Varigauge</b>: open a sample program, then press its Start buttons.");
  grid->addWidget(heading, 0, 0, 1, 2);
  std::vector<std::unique_ptr<Sample>> open;
  int row = 1;
  for (const SampleInfo& info : SampleList()) {
    auto* button = new QPushButton(info.name);
    grid->addWidget(button, row, 0);
    grid->addWidget(new QLabel(info.about), row, 1);
    QObject::connect(button, &QPushButton::clicked, &window, [&open, &info] {
      try {
        open.push_back(info.make());
        open.back()->Load();
        open.back()->window()->show();
      } catch (const std::exception& e) {
        std::fprintf(stderr, "varigauge-samples: %s\n", e.what());
      }
    });
    ++row;
  }
  SetStepPace(kDisplayPace);
  window.show();
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  bool gallery = false;
  for (int i = 1; i < argc; ++i) gallery = gallery || std::strcmp(argv[i], "--gallery") == 0;
  if (vg::ChooseQtPlatform(argc, argv, gallery) && !gallery) {
    std::fputs(
        "varigauge-samples: no display (DISPLAY and WAYLAND_DISPLAY are unset); use "
        "--gallery OUT.png to write the gallery picture\n",
        stderr);
    return 2;
  }
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() == 1) return Launch(app);
  if ((args.size() != 3 && (args.size() != 6 || args[3] != "--fifth")) || args[1] != "--gallery") {
    std::fputs(kUsage, stderr);
    return 2;
  }
  QImage fifth;
  if (args.size() == 6 && !fifth.load(args[4])) {
    std::fprintf(stderr, "varigauge-samples: cannot read %s\n", qPrintable(args[4]));
    return 2;
  }
  const QImage picture = vg::samples::PaintGallery(fifth, args.size() == 6 ? args[5] : QString());
  if (picture.isNull() || !picture.save(args[2], "PNG")) {
    std::fprintf(stderr, "varigauge-samples: cannot write %s\n", qPrintable(args[2]));
    return 2;
  }
  std::printf("Wrote %s\n", qPrintable(args[2]));
  return 0;
}
