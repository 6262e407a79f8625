#include "launcher/gallery.h"

#include <QPainter>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "launcher/sample_list.h"
#include "platform/disk/disk_map.h"

namespace vg::samples {
namespace {

// Calls `then` in the `round`-th round of event processing from now. A Start loop
// processes events once per step, so inside a loop this counts its steps. Each wait has
// its own timer: a timer does not fire again while its own handler is still running,
// and the handler of one wait runs the next loop.
class RoundWait {
 public:
  RoundWait(int round, std::function<void()> then) : left_(round), then_(std::move(then)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (left_-- > 0) return;
      timer_.stop();
      then_();
    });
    timer_.start(0);
  }

 private:
  QTimer timer_;
  int left_;
  std::function<void()> then_;
};

// One press of the chain: the button, and how many steps of its loop run before the
// next press.
struct Step {
  int sample;
  const char* button;
  int index;
  int rounds;
};

// Each loop is left part-way, at a different point, so that the bars show a range of
// fills: both Multistrip bars, all seven of Unistrip's, all three of Lumastrip's.
constexpr Step kChain[] = {
    {0, "Command1", -1, 62}, {0, "Command2", -1, 17}, {1, "Command1", 0, 96},
    {1, "Command1", 1, 85},  {1, "Command1", 2, 74},  {1, "Command1", 3, 63},
    {1, "Command1", 4, 52},  {1, "Command1", 5, 41},  {1, "Command1", 6, 30},
    {2, "Command1", 0, 73},  {2, "Command1", 1, 52},  {2, "Command1", 2, 38},
};

constexpr int kMargin = 24;
constexpr int kTitleHeight = 30;
constexpr int kHeadingHeight = 64;
const QColor kBackdrop(0x24, 0x2a, 0x33);
const QColor kTitleBar(0x3b, 0x48, 0x5a);

// One window's picture under a title bar of its caption, with a drop shadow.
void PaintWindow(QPainter& p, QPoint at, const QImage& picture, const QString& title) {
  const QRect frame(at, QSize(picture.width(), picture.height() + kTitleHeight));
  p.fillRect(frame.translated(5, 6), QColor(0, 0, 0, 90));
  p.fillRect(QRect(at, QSize(picture.width(), kTitleHeight)), kTitleBar);
  QFont font = p.font();
  font.setPixelSize(15);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(at + QPoint(12, 0), QSize(picture.width() - 24, kTitleHeight)),
             Qt::AlignVCenter | Qt::AlignLeft, title);
  p.drawImage(at + QPoint(0, kTitleHeight), picture);
}

QImage Compose(const std::vector<QImage>& pictures, const std::vector<QString>& titles) {
  // Two columns: the left one holds samples 0 and 2, the right one 1 and 3; a fifth picture
  // takes a row of its own below them.
  const int left = std::max(pictures[0].width(), pictures[2].width());
  const int right = std::max(pictures[1].width(), pictures[3].width());
  const int top = std::max(pictures[0].height(), pictures[1].height()) + kTitleHeight;
  const int bottom = std::max(pictures[2].height(), pictures[3].height()) + kTitleHeight;
  const bool fifth = pictures.size() > 4;
  const int third = fifth ? pictures[4].height() + kTitleHeight + kMargin : 0;
  const int width =
      std::max(left + right + 3 * kMargin, fifth ? pictures[4].width() + 2 * kMargin : 0);
  const QSize size(width, kHeadingHeight + top + bottom + third + 3 * kMargin);
  QImage out(size, QImage::Format_RGB32);
  out.fill(kBackdrop);
  QPainter p(&out);
  p.setRenderHint(QPainter::Antialiasing);
  QFont font = p.font();
  font.setPixelSize(26);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(kMargin, kMargin, size.width(), 32), Qt::AlignLeft | Qt::AlignVCenter,
             "Varigauge");
  font.setPixelSize(15);
  font.setBold(false);
  p.setFont(font);
  p.setPen(QColor(0xb8, 0xc4, 0xd4));
  p.drawText(QRect(kMargin, kMargin + 32, size.width(), 24), Qt::AlignLeft | Qt::AlignVCenter,
             fifth ? "The four sample programs, caught part-way through their Start loops, "
                     "and their bars as Qt Quick items"
                   : "The four sample programs, caught part-way through their Start loops");
  const int y0 = kMargin + kHeadingHeight;
  const QPoint at[] = {{kMargin, y0},
                       {2 * kMargin + left, y0},
                       {kMargin, y0 + top + kMargin},
                       {2 * kMargin + left, y0 + top + kMargin},
                       {kMargin, y0 + top + bottom + 2 * kMargin}};
  for (size_t i = 0; i < pictures.size(); ++i) PaintWindow(p, at[i], pictures[i], titles[i]);
  return out;
}

// Volwatch watches drives c, d and e. A machine with one file system has no d or e, and
// their bars stay empty; in the gallery they stand for the file systems holding the
// current folder and /tmp instead (often the same one as c).
std::shared_ptr<DiskMap> GalleryDrives() {
  auto map = std::make_shared<DiskMap>();
  DiskSpace space;
  if (!map->Query('d', &space)) map->SetPath('d', ".");
  if (!map->Query('e', &space)) map->SetPath('e', "/tmp");
  return map;
}

}  // namespace

QImage PaintGallery(const QImage& fifth, const QString& fifth_title) {
  ScopedDiskProvider drives(GalleryDrives());
  std::vector<std::unique_ptr<Sample>> samples;
  for (const SampleInfo& info : SampleList()) {
    samples.push_back(info.make());
    samples.back()->Load();
    samples.back()->window()->show();
  }
  QImage gallery;
  auto paint = [&] {
    std::vector<QImage> pictures;
    std::vector<QString> titles;
    for (const auto& s : samples) {
      pictures.push_back(s->window()->grab().toImage());
      titles.push_back(s->window()->windowTitle());
    }
    if (!fifth.isNull()) {
      pictures.push_back(fifth);
      titles.push_back(fifth_title);
    }
    gallery = Compose(pictures, titles);
  };
  // Press k runs the loop of kChain[k]; a wait inside it makes press k + 1, and inside the
  // last loop the windows are painted. Every loop then runs to its end.
  std::vector<std::unique_ptr<RoundWait>> waits;
  std::function<void(size_t)> press = [&](size_t k) {
    if (k == std::size(kChain)) return paint();
    const Step& step = kChain[k];
    waits.push_back(std::make_unique<RoundWait>(step.rounds, [&press, k] { press(k + 1); }));
    Press(*samples[step.sample], step.button, step.index);
  };
  press(0);
  return gallery;
}

}  // namespace vg::samples
