// Picture files through QImageReader give the stored values, as the headless reader does.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "platform/automation/errors.h"
#include "qt/qt_pictures.h"

namespace vg {
namespace {

int ErrorOf(const std::string& path) {
  try {
    LoadPictureQt(path);
  } catch (const AutomationError& e) {
    return e.number();
  }
  return 0;
}

class QtPictures : public ::testing::Test {
 protected:
  std::string Save(const QImage& image, const char* name) {
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path.toStdString();
  }
  QTemporaryDir dir_;
};

TEST_F(QtPictures, EachFormatKeepsItsStoredColours) {
  QImage rgb(3, 2, QImage::Format_RGB32);
  rgb.fill(qRgb(0x12, 0x34, 0x56));
  for (const char* name : {"a.png", "a.bmp", "a.ico"}) {
    StdPictureRef p = LoadPictureQt(Save(rgb, name));
    ASSERT_EQ(p->PixelWidth(), 3) << name;
    ASSERT_EQ(p->PixelHeight(), 2) << name;
    EXPECT_EQ(p->Pixels()[0], 0x563412u) << name;
    EXPECT_EQ(p->Type(), std::string(name) == "a.ico" ? vbPicTypeIcon : vbPicTypeBitmap);
  }
}

TEST_F(QtPictures, SixteenBitSamplesRoundAndAlphaComposesOverTheDefaultBackground) {
  QImage deep(1, 1, QImage::Format_RGBA64);
  deep.setPixelColor(0, 0, QColor::fromRgba64(32896, 32896, 32896, 65535));
  EXPECT_EQ(LoadPictureQt(Save(deep, "deep.png"))->Pixels()[0], 0x808080u);

  QImage alpha(1, 1, QImage::Format_ARGB32);
  alpha.setPixel(0, 0, qRgba(255, 0, 0, 79));  // 31% red
  // Stored values over &HC0C0C0: red (255*79 + 192*176 + 127) / 255 = 212, green and
  // blue (192*176 + 127) / 255 = 133.
  EXPECT_EQ(LoadPictureQt(Save(alpha, "alpha.png"))->Pixels()[0], 0x8585D4u);
}

TEST_F(QtPictures, MissingUnreadableAndOversizedFilesFail) {
  EXPECT_EQ(LoadPictureQt("")->Type(), vbPicTypeNone);
  EXPECT_EQ(ErrorOf(dir_.filePath("none.png").toStdString()), 53);
  EXPECT_EQ(ErrorOf(dir_.path().toStdString()), 53);
  QFile junk(dir_.filePath("junk.png"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("not a picture at all");
  junk.close();
  EXPECT_EQ(ErrorOf(junk.fileName().toStdString()), 481);
}

}  // namespace
}  // namespace vg
