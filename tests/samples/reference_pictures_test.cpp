// Each sample's window, part-way through a Start loop, against a stored picture: a changed
// look is caught, and the differing picture is written to VG_SAMPLES_ACTUAL_DIR. With
// VG_UPDATE_REFERENCE=1 the stored pictures are rewritten instead.
#include <QDir>
#include <QImage>
#include <cstdlib>
#include <memory>

#include "lumastrip/lumastrip.h"
#include "multistrip/multistrip.h"
#include "tests/samples/sample_fixture.h"
#include "unistrip/unistrip.h"
#include "volwatch/volwatch.h"

namespace vg::samples {
namespace {

// Text is anti-aliased by the system's FreeType: allow small changes of shade.
constexpr int kChannelTolerance = 40;

using ReferencePictures = SampleTest;

// The window's picture taken at step `step` of the Start loop that pressing the button
// starts.
QImage PictureDuring(Sample& s, const QString& button, int index, int step) {
  QImage picture;
  int round = 0;
  EveryRound hook([&] {
    if (round++ == step) picture = s.window()->grab().toImage();
  });
  Press(s, button, index);
  return picture.convertToFormat(QImage::Format_RGB32);
}

// Pixels whose red, green or blue differs by more than the tolerance.
int DifferingPixels(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > kChannelTolerance ||
          std::abs(qGreen(p) - qGreen(q)) > kChannelTolerance ||
          std::abs(qBlue(p) - qBlue(q)) > kChannelTolerance)
        ++n;
    }
  return n;
}

void ExpectLooksLikeReference(const QImage& actual, const QString& name) {
  const QString reference = QString::fromLocal8Bit(qgetenv("VG_SOURCE_DIR")) +
                            "/tests/samples/reference/" + name + ".png";
  if (qgetenv("VG_UPDATE_REFERENCE") == "1") {
    ASSERT_TRUE(actual.save(reference, "PNG")) << reference.toStdString();
    return;
  }
  const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(expected.isNull()) << "no reference picture " << reference.toStdString();
  const bool same_size = expected.size() == actual.size();
  const int differing = same_size ? DifferingPixels(expected, actual) : -1;
  if (same_size && differing == 0) return;
  QDir().mkpath(VG_SAMPLES_ACTUAL_DIR);
  const QString written = QString(VG_SAMPLES_ACTUAL_DIR) + "/" + name + ".png";
  actual.save(written, "PNG");
  ADD_FAILURE() << name.toStdString() << " looks different from its reference ("
                << (same_size ? std::to_string(differing) + " pixels differ"
                              : std::string("another size"))
                << "); the picture is in " << written.toStdString();
}

TEST_F(ReferencePictures, Multistrip) {
  Multistrip m;
  m.Load();
  Press(m, "Command2");
  ExpectLooksLikeReference(PictureDuring(m, "Command1", -1, 60), "multistrip");
}

TEST_F(ReferencePictures, Unistrip) {
  Unistrip u;
  u.Load();
  for (int i = 0; i < 6; ++i) Press(u, "Command1", i);
  ExpectLooksLikeReference(PictureDuring(u, "Command1", 6, 60), "unistrip");
}

TEST_F(ReferencePictures, Lumastrip) {
  Lumastrip l;
  l.Load();
  Press(l, "Command1", 0);
  Press(l, "Command1", 1);
  ExpectLooksLikeReference(PictureDuring(l, "Command1", 2, 60), "lumastrip");
}

TEST_F(ReferencePictures, Volwatch) {
  Volwatch v;
  v.Load();
  ExpectLooksLikeReference(v.window()->grab().toImage().convertToFormat(QImage::Format_RGB32),
                           "volwatch");
}

}  // namespace
}  // namespace vg::samples
