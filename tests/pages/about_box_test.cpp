// The About box on the offscreen platform: its texts and names, the ramp only above 8
// bits, the way to the system-information tool through the registry, and the registry
// reads themselves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <set>

#include "control/varigauge.h"
#include "pages/about_box.h"
#include "pages/sys_info.h"
#include "qt/picture_box_widget.h"
#include "qt/varigauge_widget.h"
#include "varigauge_version.h"

namespace vg {
namespace {

namespace fs = std::filesystem;
using reg::HKEY_LOCAL_MACHINE;

constexpr const char* kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

QImage Grab(QWidget* w) {
  return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(AboutBox, TextsAndNames) {
  AboutBox box(nullptr, 32);
  EXPECT_EQ(box.windowTitle(), "About Varigauge ActiveX control");
  EXPECT_EQ(box.findChild<QLabel*>("lblName")->text(), "Varigauge");
  const QString version = box.findChild<QLabel*>("lblVersion")->text();
  EXPECT_TRUE(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$").match(version).hasMatch())
      << version.toStdString();
  EXPECT_EQ(
      version,
      QString("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
  EXPECT_EQ(box.findChild<QPushButton*>("cmdOK")->text(), "OK");
  EXPECT_EQ(box.findChild<QPushButton*>("cmdSysInfo")->text(), "&System Info...");
  for (int i = 0; i < 4; ++i)
    EXPECT_NE(box.findChild<QFrame*>(QString("Line1(%1)").arg(i)), nullptr) << i;
  EXPECT_NE(box.findChild<PictureBoxWidget*>("Picture1"), nullptr);
  const QLabel* icon = box.findChild<QLabel*>("Image1");
  ASSERT_NE(icon, nullptr);
  EXPECT_FALSE(icon->pixmap().isNull());
}

TEST(AboutBox, TakesTheColourDepthOfTheScreenItIsShownOn) {
  // 32 bits on the offscreen platform, 24 on a 24-bit X display (QT_QPA_PLATFORM=xcb
  // under Xvfb). The picture box once made its device before its depth setting was set,
  // so the depth read was whatever the memory held, and an unknown depth counts as 4.
  AboutBox box;
  const int depth = box.screen()->depth();
  EXPECT_EQ(box.colorDepth(), depth);
  box.show();
  EXPECT_EQ(box.colorDepth(), depth);
  const QImage image = Grab(box.findChild<PictureBoxWidget*>("Picture1"));
  EXPECT_NE(image.pixel(3, 3), qRgb(0xFF, 0xFF, 0x80));  // the ramp, not the plain yellow
}

TEST(AboutBox, PlainLightYellowAtEightBits) {
  AboutBox box(nullptr, 8);
  EXPECT_EQ(box.colorDepth(), 8);
  box.show();
  auto* picture = box.findChild<PictureBoxWidget*>("Picture1");
  const QImage image = Grab(picture);
  ASSERT_FALSE(image.isNull());
  // Everywhere but under the icon in the middle.
  const QRect icon = picture->findChild<QLabel*>("Image1")->pixmap().rect().translated(
      (image.width() - 48) / 2, (image.height() - 48) / 2);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!icon.contains(x, y)) {
        ASSERT_EQ(image.pixel(x, y), qRgb(0xFF, 0xFF, 0x80)) << x << "," << y;
      }
  EXPECT_EQ(box.lastGranularity(), -1);
}

TEST(AboutBox, GreyCirclesAboveEightBitsAtANewGranularityEachRepaint) {
  AboutBox box(nullptr, 32);
  EXPECT_EQ(box.colorDepth(), 32);
  box.show();
  auto* picture = box.findChild<PictureBoxWidget*>("Picture1");
  const QImage image = Grab(picture);
  // The outer circle, through the corners, is the start grey; nearer the centre (beside
  // the icon) it is lighter.
  const QRgb centre = image.pixel(image.width() / 2, image.height() / 2 - 26);
  const QRgb near_corner = image.pixel(3, 3);
  EXPECT_EQ(qRed(near_corner), qBlue(near_corner));
  EXPECT_LT(qRed(near_corner), 0x90);
  EXPECT_GT(qRed(centre), qRed(near_corner) + 0x20);
  std::set<int> seen;
  for (int i = 0; i < 40; ++i) {
    Grab(picture);
    seen.insert(box.lastGranularity());
  }
  EXPECT_GT(seen.size(), 1u);
  EXPECT_GE(*seen.begin(), 0);
  EXPECT_LE(*seen.rbegin(), 4);
}

// A registry of its own for each test, and the tool's start and message captured.
class SysInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::path(::testing::TempDir()) /
        ("sysinfo-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    store_ = std::make_unique<reg::RegistryStore>(dir_ / "registry");
    old_starter_ = SetProgramStarter([this](const QString& p) {
      started_.push_back(p);
      return start_result_;
    });
    old_shower_ = SetMessageShower([this](QWidget*, const QString& t) { messages_.push_back(t); });
  }
  void TearDown() override {
    SetProgramStarter(old_starter_);
    SetMessageShower(old_shower_);
    store_.reset();
    fs::remove_all(dir_);
  }
  void Set(const char* key, const char* name, reg::DWORD type, const std::string& bytes) {
    reg::HKEY k = 0;
    ASSERT_EQ(store_->RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, &k), reg::ERROR_SUCCESS);
    ASSERT_EQ(
        store_->RegSetValueExA(k, name, 0, type, reinterpret_cast<const uint8_t*>(bytes.data()),
                               static_cast<reg::DWORD>(bytes.size())),
        reg::ERROR_SUCCESS);
    store_->RegCloseKey(k);
  }

  fs::path dir_;
  std::unique_ptr<reg::RegistryStore> store_;
  ProgramStarter old_starter_;
  MessageShower old_shower_;
  std::vector<QString> started_, messages_;
  bool start_result_ = true;
};

TEST_F(SysInfoTest, UnavailableWithNeitherValue) {
  StartSysInfo(nullptr, *store_);
  EXPECT_TRUE(started_.empty());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "System Information Is Unavailable At This Time");
}

TEST_F(SysInfoTest, SecondKeyNeedsTheProgramFile) {
  const std::string folder = (dir_ / "tools").string();
  Set(kLocationKey, "MSINFO", reg::REG_SZ, folder + std::string(1, '\0'));
  StartSysInfo(nullptr, *store_);
  EXPECT_TRUE(started_.empty());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "System Information Is Unavailable At This Time");

  // The file is the folder's name followed by "\MSINFO32.EXE", whatever the system's
  // separator.
  std::ofstream(folder + "\\MSINFO32.EXE") << "";
  messages_.clear();
  StartSysInfo(nullptr, *store_);
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0], QString::fromStdString(folder + "\\MSINFO32.EXE"));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(SysInfoTest, FirstKeyStartsItsPathAndAFailedStartIsReported) {
  Set(kMsinfoKey, "PATH", reg::REG_SZ, std::string("/opt/sysinfo/run\0", 17));
  Set(kLocationKey, "MSINFO", reg::REG_SZ, "/nowhere");
  StartSysInfo(nullptr, *store_);
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0], "/opt/sysinfo/run");
  EXPECT_TRUE(messages_.empty());

  start_result_ = false;
  StartSysInfo(nullptr, *store_);
  EXPECT_EQ(started_.size(), 2u);
  EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(SysInfoTest, KeyValuesByType) {
  Set("K", "text", reg::REG_SZ, std::string("abc\0", 4));
  Set("K", "two", reg::REG_SZ, std::string("ab\0\0", 4));
  Set("K", "plain", reg::REG_SZ, "xyz");
  Set("K", "empty", reg::REG_SZ, "");
  Set("K", "small", reg::REG_DWORD, std::string("\x02\x01\0\0", 4));
  Set("K", "big", reg::REG_DWORD, "\xFF\xFF\xFF\xFF");
  Set("K", "bytes", reg::REG_BINARY, "\x01\x02");
  Set("K", "long", reg::REG_SZ, std::string(1025, 'x'));
  const struct {
    const char* name;
    bool ok;
    std::string value;
  } rows[] = {{"text", true, "abc"},
              {"two", true, std::string("ab\0", 3)},  // only one NUL is dropped
              {"plain", true, "xyz"},
              {"empty", true, ""},
              {"small", true, "258"},
              {"big", true, "4294967295"},
              {"bytes", true, ""},
              {"long", false, "unchanged"},
              {"absent", false, "unchanged"}};
  for (const auto& r : rows) {
    std::string value = "unchanged";
    EXPECT_EQ(GetKeyValue(*store_, HKEY_LOCAL_MACHINE, "K", r.name, &value), r.ok) << r.name;
    EXPECT_EQ(value, r.value) << r.name;
  }
  std::string value = "unchanged";
  EXPECT_FALSE(GetKeyValue(*store_, HKEY_LOCAL_MACHINE, "No\\Such\\Key", "text", &value));
  EXPECT_EQ(value, "unchanged");
}

TEST(AboutBox, SystemInfoButtonAndModalShowing) {
  // The process's registry (an empty directory, see main) holds neither value.
  std::vector<QString> messages;
  MessageShower old = SetMessageShower([&](QWidget* parent, const QString& t) {
    EXPECT_EQ(parent->objectName(), "frmAbout");
    messages.push_back(t);
  });
  AboutBox box(nullptr, 32);
  box.findChild<QPushButton*>("cmdSysInfo")->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "System Information Is Unavailable At This Time");
  SetMessageShower(old);

  // A fresh modal box each call; OK closes it.
  QStringList shown;
  for (int i = 0; i < 2; ++i) {
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      shown << modal->objectName();
      modal->findChild<QPushButton*>("cmdOK")->click();
    });
    ShowAboutBox(nullptr);
  }
  EXPECT_EQ(shown, QStringList({"frmAbout", "frmAbout"}));
}

TEST(AboutBox, AQtHostedControlShowsItForAboutAndShowAboutBox) {
  VarigaugeWidget widget;
  widget.setObjectName("gauge");
  QStringList shown;
  for (const char* member : {"About", "ShowAboutBox"}) {
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      ASSERT_NE(modal, nullptr);
      shown << modal->objectName() + " over " + modal->parentWidget()->objectName();
      modal->findChild<QPushButton*>("cmdOK")->click();
    });
    ASSERT_TRUE(Invoke(widget.control(), member, DISPATCH_METHOD, {}).ok()) << member;
  }
  EXPECT_EQ(shown, QStringList({"frmAbout over gauge", "frmAbout over gauge"}));
}

TEST(PictureBoxWidget, ShowsWhatItsOwnerPaintsAtEachRepaint) {
  PictureBoxWidget w;
  w.resize(30, 20);
  w.setBackColor(0x0000FF);  // red
  int paints = 0;
  QObject::connect(&w, &PictureBoxWidget::paintRequested, [&] {
    ++paints;
    const gdi::RECT left_half{0, 0, 15, 20};
    gdi::HBRUSH blue = gdi::CreateSolidBrush(0xFF0000);
    gdi::FillRect(w.box().hDC(), &left_half, blue);
    gdi::DeleteObject(blue);
  });
  QSignalSpy spy(&w, &PictureBoxWidget::paintRequested);
  const QImage image = Grab(&w);
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(20, 2), qRgb(255, 0, 0));
  w.setColorDepth(8);
  EXPECT_EQ(w.colorDepth(), 8);
  EXPECT_EQ(gdi::GetDeviceCaps(w.box().hDC(), gdi::BITSPIXEL), 8);
}

}  // namespace
}  // namespace vg

int main(int argc, char** argv) {
  // Widget tests need no display: Qt's offscreen platform unless one is asked for.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", "/tmp");
  // An empty registry of the tests' own, never the user's.
  const std::string registry =
      (std::filesystem::temp_directory_path() /
       ("vg-pages-registry-" + std::to_string(QCoreApplication::applicationPid())))
          .string();
  qputenv("VG_REGISTRY_DIR", QByteArray::fromStdString(registry));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::filesystem::remove_all(registry);
  return result;
}
