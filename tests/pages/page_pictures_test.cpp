// vgform --pages NAME --screenshot DIR: one picture per page and per nested tab of the
// property sheet, run as a user runs it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

namespace {

struct VgformRun {
  int status = -1;
  QStringList printed;
  QString errors;
};

VgformRun Vgform(const QStringList& args) {
  QProcess process;
  process.start(QStringLiteral(VG_VGFORM), args + QStringList{"--platform", "offscreen"});
  VgformRun run;
  if (!process.waitForFinished(60000)) return run;
  run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.printed =
      QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  run.errors = QString::fromLocal8Bit(process.readAllStandardError());
  return run;
}

QString Example(const char* name) {
  return QStringLiteral(VG_SOURCE_DIR "/examples/") + QLatin1String(name);
}

TEST(PagePictures, OnePicturePerPageAndNestedTab) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString dir = tmp.filePath(QStringLiteral("pages/of/the/bar"));  // made on the way
  const VgformRun run =
      Vgform({Example("progress-bar.ui"), "--pages", "ProgressBar", "--screenshot", dir});
  ASSERT_EQ(run.status, 0) << run.errors.toStdString();

  const QStringList expected = {"01-block-position.png",
                                "01-block-text-value.png",
                                "01-block-text-font.png",
                                "01-block-text-position.png",
                                "01-block-appearance-general.png",
                                "01-block-appearance-brush.png",
                                "01-block-appearance-gradient.png",
                                "01-block-appearance-rivets.png",
                                "01-block-picture-appearance.png",
                                "01-block-picture-preview.png",
                                "02-caption.png",
                                "03-boundaries.png",
                                "04-font.png",
                                "05-color.png"};
  QStringList paths;
  for (const QString& file : expected) paths << QDir(dir).filePath(file);
  EXPECT_EQ(run.printed, paths);
  EXPECT_EQ(QDir(dir).entryList(QDir::Files).size(), expected.size());

  QSet<QByteArray> contents;
  for (const QString& path : paths) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\x89PNG\r\n\x1a\n")) << path.toStdString();
    contents.insert(bytes);
    const QImage image = QImage::fromData(bytes, "PNG");
    ASSERT_FALSE(image.isNull()) << path.toStdString();
    // A dialog of a few hundred pixels each way, not an empty or collapsed window.
    EXPECT_GE(image.width(), 400) << path.toStdString();
    EXPECT_LE(image.width(), 1600) << path.toStdString();
    EXPECT_GE(image.height(), 300) << path.toStdString();
    EXPECT_LE(image.height(), 1200) << path.toStdString();
  }
  // Each picture shows a different tab in front.
  EXPECT_EQ(contents.size(), expected.size());
}

TEST(PagePictures, FindsAnElementOfAControlArray) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString form = tmp.filePath(QStringLiteral("array.ui"));
  QFile file(form);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  // Two elements of the array "Bar", neither with a stored bag: new controls, no blocks.
  file.write(R"(<ui version="4.0"><widget class="QWidget" name="Form">
 <widget class="vg::VarigaugeWidget" name="Bar_0">
  <property name="controlArray" stdset="0"><string>Bar</string></property>
  <property name="controlArrayIndex" stdset="0"><number>0</number></property>
 </widget>
 <widget class="vg::VarigaugeWidget" name="Bar_2">
  <property name="controlArray" stdset="0"><string>Bar</string></property>
  <property name="controlArrayIndex" stdset="0"><number>2</number></property>
 </widget>
</widget></ui>
)");
  file.close();
  const QString dir = tmp.filePath(QStringLiteral("shots"));
  const VgformRun run = Vgform({form, "--pages", "Bar(2)", "--screenshot", dir});
  EXPECT_EQ(run.status, 0) << run.errors.toStdString();
  EXPECT_EQ(run.printed.size(), 14);
  EXPECT_FALSE(QImage(QDir(dir).filePath("02-caption.png")).isNull());

  for (const char* missing : {"Bar(1)", "Bar", "Bar_9", "Bar(", "Bar(2)x", "Form"}) {
    const VgformRun none = Vgform({form, "--pages", missing, "--screenshot", dir});
    EXPECT_EQ(none.status, 2) << missing;
    EXPECT_TRUE(none.errors.contains(QStringLiteral("the form has no Varigauge control ") +
                                     QLatin1String(missing)))
        << none.errors.toStdString();
  }
}

TEST(PagePictures, AFolderThatCannotBeMadeIsReported) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString blocker = tmp.filePath(QStringLiteral("a-file"));
  QFile file(blocker);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  const QString dir = blocker + QStringLiteral("/shots");
  const VgformRun run =
      Vgform({Example("progress-bar.ui"), "--pages", "ProgressBar", "--screenshot", dir});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("cannot create the folder ") + dir))
      << run.errors.toStdString();
  EXPECT_TRUE(run.printed.isEmpty());
}

}  // namespace
