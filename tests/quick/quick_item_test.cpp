// The Qt Quick item: it shows the pixels the widget shows for the same settings (this
// program runs at device ratio 1, quick_item_ratio2_tests at ratio 2), its blocks declared
// in QML reach the control field by field with one redraw each, a click on a clickable
// block is reported with the block's number, and a time field ticks on the thread's timers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "platform/timers/manual_clock.h"
#include "quick/varigauge_item.h"
#include "tests/qt/widget_pixels.h"

namespace vg {
namespace {

std::vector<COLORREF> Grabbed(QQuickWindow& window) {
  QImage image = window.grabWindow().convertToFormat(QImage::Format_RGBX8888);
  std::vector<COLORREF> out;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const COLORREF*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) out.push_back(row[x] & 0xFFFFFF);
  }
  return out;
}

// A window holding one item made from `qml` (which imports Varigauge).
struct QmlWindow {
  explicit QmlWindow(const QByteArray& qml, QSize size = {200, 30}) {
    engine.addImportPath(VG_QML_IMPORT_DIR);
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport Varigauge\n" + qml, QUrl());
    object.reset(component.create());
    EXPECT_TRUE(object) << component.errorString().toStdString();
    item = qobject_cast<VarigaugeItem*>(object.get());
    if (item) item->setParentItem(window.contentItem());
    window.resize(size);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  QQmlEngine engine;
  QQuickWindow window;
  std::unique_ptr<QObject> object;
  VarigaugeItem* item = nullptr;
};

TEST(VarigaugeItem, ShowsWhatTheWidgetShowsAtTheScreensRatio) {
  QQuickWindow window;
  window.resize(100, 15);
  auto* item = new VarigaugeItem(window.contentItem());
  item->setSize(QSizeF(100, 15));
  qt_test::Configure(item->control());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  VarigaugeWidget widget;
  widget.resize(100, 15);
  qt_test::Configure(widget.control());
  const double ratio = window.effectiveDevicePixelRatio();
  EXPECT_EQ(item->host().Dpi(), widget.host().Dpi());
  const std::vector<COLORREF> grabbed = Grabbed(window);
  ASSERT_EQ(grabbed.size(), static_cast<size_t>(100 * ratio * 15 * ratio));
  EXPECT_EQ(grabbed, qt_test::Presented(widget));
}

TEST(VarigaugeItem, BlocksDeclaredInQmlReachTheControlAndEachChangeRedrawsOnce) {
  QmlWindow w(R"(Varigauge {
      width: 200; height: 30
      from: 0; to: 100
      blocks: [ VarigaugeBlock { barRight: 40; text: "a" },
                VarigaugeBlock { barLeft: 50; barRight: 90; clickable: true } ]
    })");
  ASSERT_TRUE(w.item);
  Varigauge& c = w.item->control();
  ASSERT_EQ(c.get_Blocks(), 2);
  EXPECT_EQ(c.get_BlockBarRight(Variant::Long(1)), 40);
  EXPECT_EQ(c.get_BlockText(Variant::Long(1)), "a");
  EXPECT_EQ(c.get_BlockBarLeft(Variant::Long(2)), 50);
  EXPECT_EQ(w.item->value(), 40);

  QQmlListProperty<VarigaugeBlock> list = w.item->blocks();
  QObject* first = list.at(&list, 0);
  QSignalSpy pictures(w.item, &VarigaugeItem::pictureUpdated);
  QSignalSpy values(w.item, &VarigaugeItem::valueChanged);
  ASSERT_TRUE(first->setProperty("barRight", 60));
  EXPECT_EQ(pictures.count(), 1);
  EXPECT_EQ(c.get_BlockBarRight(Variant::Long(1)), 60);
  ASSERT_EQ(values.count(), 1);
  EXPECT_EQ(values.at(0).at(0).toInt(), 60);
  // The same value again changes nothing and draws nothing.
  first->setProperty("barRight", 60);
  EXPECT_EQ(pictures.count(), 1);

  // Code sets a block: the listed object shows the control's values.
  QSignalSpy text_changes(first, SIGNAL(textChanged()));
  w.item->setBlock(1, {{"text", "b"}, {"barRight", 70}});
  EXPECT_EQ(pictures.count(), 2);
  EXPECT_EQ(first->property("text").toString(), "b");
  EXPECT_EQ(first->property("barRight").toInt(), 70);
  EXPECT_EQ(text_changes.count(), 1);
  EXPECT_EQ(w.item->block(1).value("barRight").toInt(), 70);

  // Out of range is reported, not thrown.
  QSignalSpy errors(w.item, &VarigaugeItem::errorOccurred);
  w.item->setBlock(3, {{"text", "c"}});
  ASSERT_EQ(errors.count(), 1);
  EXPECT_EQ(errors.at(0).at(0).toInt(), 9);
}

TEST(VarigaugeItem, AClickOnAClickableBlockReportsItsNumber) {
  QmlWindow w(R"(Varigauge {
      width: 200; height: 30
      blocks: [ VarigaugeBlock { barRight: 40; clickable: false },
                VarigaugeBlock { barLeft: 50; barRight: 90; clickable: true } ]
    })");
  ASSERT_TRUE(w.item);
  QSignalSpy clicks(w.item, &VarigaugeItem::blockClicked);
  QTest::mouseClick(&w.window, Qt::LeftButton, {}, QPoint(140, 15));  // inside block 2
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks.at(0).at(0).toInt(), 2);
  // Block 1 is not clickable: every release is reported, a miss as -1.
  QTest::mouseClick(&w.window, Qt::LeftButton, {}, QPoint(20, 15));
  ASSERT_EQ(clicks.count(), 2);
  EXPECT_EQ(clicks.at(1).at(0).toInt(), -1);
}

TEST(VarigaugeItem, ATimeFieldTicksOnTheThreadsTimers) {
  auto clock = std::make_shared<ManualClock>();
  InstallThreadTimerService(clock);
  clock->SetWallTime(*MakeLocalTime(2026, 12, 7, 17, 45, 12));
  {
    QmlWindow w(R"(Varigauge {
        width: 200; height: 30
        timerTimeEnabled: true
        blocks: [ VarigaugeBlock { barRight: 100; text: "!long time!" } ]
      })");
    ASSERT_TRUE(w.item);
    const std::vector<COLORREF> before = Grabbed(w.window);
    QSignalSpy pictures(w.item, &VarigaugeItem::pictureUpdated);
    clock->Advance(1000);
    EXPECT_EQ(pictures.count(), 1);
    EXPECT_NE(Grabbed(w.window), before);
  }
  InstallThreadTimerService(nullptr);
}

// Busy mode and animated values on a manual clock installed for the thread.
class TimedItem : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallThreadTimerService(clock);
    window = std::make_unique<QmlWindow>(R"(Varigauge {
        width: 200; height: 30
        from: 0; to: 100
        blocks: [ VarigaugeBlock { barLeft: 10; barRight: 30; text: "x" } ]
      })");
    ASSERT_TRUE(window->item);
  }
  void TearDown() override {
    window.reset();
    InstallThreadTimerService(nullptr);
  }
  std::pair<int, int> Edges() {
    Varigauge& c = window->item->control();
    return {c.get_BlockBarLeft(Variant::Long(1)), c.get_BlockBarRight(Variant::Long(1))};
  }
  std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
  std::unique_ptr<QmlWindow> window;
};

TEST_F(TimedItem, BusyModeMovesBlockOneBackAndForthAndRestoresIt) {
  VarigaugeItem& item = *window->item;
  const QVariantMap before = item.block(1);
  const std::vector<COLORREF> picture = Grabbed(window->window);
  item.setBusyInterval(100);
  item.setBusy(true);
  // The block keeps its width (20) and moves over the free 80 in 20 steps of 4.
  EXPECT_EQ(Edges(), std::make_pair(0, 20));
  clock->Advance(100);
  EXPECT_EQ(Edges(), std::make_pair(4, 24));
  clock->Advance(1900);  // step 20: the far end
  EXPECT_EQ(Edges(), std::make_pair(80, 100));
  clock->Advance(500);  // step 25: five steps back
  EXPECT_EQ(Edges(), std::make_pair(60, 80));

  // Hidden: no timer, no motion.
  item.setVisible(false);
  EXPECT_FALSE(item.busyTicking());
  clock->Advance(1000);
  EXPECT_EQ(Edges(), std::make_pair(60, 80));
  item.setVisible(true);
  EXPECT_TRUE(item.busyTicking());

  item.setBusy(false);
  EXPECT_FALSE(item.busyTicking());
  const QVariantMap after = item.block(1);
  // (The picture field is compared by the grabbed picture below: a QPixmap has no ==.)
  for (auto it = before.begin(); it != before.end(); ++it)
    if (it.key() != "picture") {
      EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
    }
  EXPECT_EQ(Grabbed(window->window), picture);
  EXPECT_EQ(clock->RunningCount(), 0u);
}

TEST_F(TimedItem, BusyModeWithoutABlockMovesABandAndTakesItAway) {
  VarigaugeItem& item = *window->item;
  item.removeBlock(1);
  ASSERT_EQ(item.blockCount(), 0);
  item.setBusy(true);
  ASSERT_EQ(item.blockCount(), 1);
  EXPECT_EQ(Edges(), std::make_pair(0, 20));  // a fifth of the scale
  clock->Advance(50 * 3);
  EXPECT_EQ(Edges(), std::make_pair(12, 32));
  item.setBusy(false);
  EXPECT_EQ(item.blockCount(), 0);
}

TEST(BusyWidget, AFormStoresBusyOnlyWhenOnAndTheBlockAsItWas) {
  auto clock = std::make_shared<ManualClock>();
  InstallThreadTimerService(clock);
  {
    VarigaugeWidget w;
    w.setBlocks(R"([{"barleft":10,"barright":30}])");
    w.show();
    const QString blocks = w.blocks();
    EXPECT_FALSE(w.storedProperties().contains("busy"));
    w.setBusy(true);
    clock->Advance(500);
    ASSERT_NE(w.control().get_BlockBarLeft(Variant::Long(1)), 10);
    EXPECT_TRUE(w.storedProperties().contains("busy"));
    EXPECT_EQ(w.blocks(), blocks);
    const int left = w.control().get_BlockBarLeft(Variant::Long(1));
    EXPECT_NE(left, 10);  // still moving after the form was stored
    w.hide();
    clock->Advance(500);
    EXPECT_EQ(w.control().get_BlockBarLeft(Variant::Long(1)), left);
  }
  InstallThreadTimerService(nullptr);
}

TEST_F(TimedItem, AnimatedValuesGlideThroughTheRenderPassAndReportTheTargetAtOnce) {
  VarigaugeItem& item = *window->item;
  item.setAnimated(true);
  item.setAnimationDuration(160);
  item.setEasingCurve(QEasingCurve(QEasingCurve::Linear));
  QSignalSpy values(&item, &VarigaugeItem::valueChanged);
  QSignalSpy pictures(&item, &VarigaugeItem::pictureUpdated);
  item.setValue(90);
  ASSERT_EQ(values.count(), 1);
  EXPECT_EQ(values.at(0).at(0).toInt(), 90);
  EXPECT_EQ(item.value(), 90);
  EXPECT_EQ(Edges().second, 30);  // not moved yet
  clock->Advance(80);             // 5 frames of 16 ms: half way
  EXPECT_EQ(Edges().second, 60);
  EXPECT_EQ(pictures.count(), 5);
  clock->Advance(80);
  EXPECT_EQ(Edges().second, 90);
  EXPECT_EQ(clock->RunningCount(), 0u);
  EXPECT_EQ(values.count(), 1);

  // An edge set by late binding during a glide ends it there.
  item.setValue(10);
  clock->Advance(32);
  item.control().put_BlockBarRight(Variant::Long(1), 70);
  clock->Advance(200);
  EXPECT_EQ(Edges().second, 70);
  EXPECT_EQ(item.value(), 70);

  // Not animated: at once.
  item.setAnimated(false);
  item.setValue(20);
  EXPECT_EQ(Edges().second, 20);
}

// Block 1 goes from 10..30 "x" to 50..90 "y" by each way a program can set it. Through
// the faces' block API (item, block object, widget) the edges glide on the same timeline
// as a value does, read back as their targets at once, and a text set during the glide
// leaves it on its way; late binding and a stored form's blocks stay immediate.
TEST(AnimatedEdges, GlideThroughTheQtBlockApiAndNotThroughLateBindingOrAForm) {
  struct Faces {
    QmlWindow item{R"(Varigauge {
        width: 200; height: 30
        from: 0; to: 100
        animated: true; animationDuration: 160; easingCurve.type: Easing.Linear
        blocks: [ VarigaugeBlock { barLeft: 10; barRight: 30; text: "x" } ]
      })"};
    VarigaugeWidget widget;
    QObject* object() {
      QQmlListProperty<VarigaugeBlock> list = item.item->blocks();
      return list.at(&list, 0);
    }
  };
  auto widget_block = [](Faces& f, std::function<void(Block&)> change) {
    Block b = f.widget.block(1);
    change(b);
    f.widget.setBlock(1, b);
  };
  struct Path {
    const char* how;
    bool glides;
    std::function<Varigauge&(Faces&)> control;
    std::function<void(Faces&)> set;     // to 50..90 "y"
    std::function<void(Faces&)> retext;  // to "z", through the same way
    std::function<int(Faces&)> right;    // block 1's right edge as that way reads it
  };
  const Variant one = Variant::Long(1);
  const Path paths[] = {
      {"item setBlock", true, [](Faces& f) -> Varigauge& { return f.item.item->control(); },
       [](Faces& f) {
         f.item.item->setBlock(1, {{"barLeft", 50}, {"barRight", 90}, {"text", "y"}});
       },
       [](Faces& f) {
         f.item.item->setBlock(1, {{"text", "z"}});
       },
       [](Faces& f) { return f.item.item->block(1).value("barRight").toInt(); }},
      {"VarigaugeBlock properties", true,
       [](Faces& f) -> Varigauge& { return f.item.item->control(); },
       [](Faces& f) {
         f.object()->setProperty("barLeft", 50);
         f.object()->setProperty("barRight", 90);
         f.object()->setProperty("text", "y");
       },
       [](Faces& f) { f.object()->setProperty("text", "z"); },
       [](Faces& f) { return f.object()->property("barRight").toInt(); }},
      {"widget setBlock", true, [](Faces& f) -> Varigauge& { return f.widget.control(); },
       [&](Faces& f) {
         widget_block(f, [](Block& b) {
           b.barLeft = 50;
           b.barRight = 90;
           b.text = "y";
         });
       },
       [&](Faces& f) { widget_block(f, [](Block& b) { b.text = "z"; }); },
       [](Faces& f) { return f.widget.block(1).barRight; }},
      {"late binding", false, [](Faces& f) -> Varigauge& { return f.item.item->control(); },
       [&](Faces& f) {
         Varigauge& c = f.item.item->control();
         c.put_BlockBarLeft(one, 50);
         c.put_BlockBarRight(one, 90);
         c.put_BlockText(one, "y");
       },
       nullptr, [&](Faces& f) { return int{f.item.item->control().get_BlockBarRight(one)}; }},
      {"widget setBlocks (a form's blocks)", false,
       [](Faces& f) -> Varigauge& { return f.widget.control(); },
       [](Faces& f) { f.widget.setBlocks(R"([{"barleft":50,"barright":90,"text":"y"}])"); },
       nullptr, [](Faces& f) { return f.widget.block(1).barRight; }},
  };
  for (const Path& path : paths) {
    SCOPED_TRACE(path.how);
    auto clock = std::make_shared<ManualClock>();
    InstallThreadTimerService(clock);
    {
      Faces f;
      ASSERT_TRUE(f.item.item);
      f.widget.setBlocks(R"([{"barleft":10,"barright":30,"text":"x"}])");
      f.widget.setAnimated(true);
      f.widget.setAnimationDuration(160);
      f.widget.setEasingCurve(QEasingCurve(QEasingCurve::Linear));
      Varigauge& c = path.control(f);
      auto edges = [&] {
        return std::make_pair(int{c.get_BlockBarLeft(one)}, int{c.get_BlockBarRight(one)});
      };
      ASSERT_EQ(edges(), std::make_pair(10, 30));
      path.set(f);
      EXPECT_EQ(c.get_BlockText(one), "y");  // at once
      EXPECT_EQ(path.right(f), 90);          // the target, at once
      if (!path.glides) {
        EXPECT_EQ(edges(), std::make_pair(50, 90));
      } else {
        EXPECT_EQ(edges(), std::make_pair(10, 30));
        clock->Advance(48);  // 3 frames of 16 ms
        path.retext(f);
        EXPECT_EQ(c.get_BlockText(one), "z");
        clock->Advance(32);  // half way
        EXPECT_EQ(edges(), std::make_pair(30, 60));
        EXPECT_EQ(path.right(f), 90);
        clock->Advance(80);
        EXPECT_EQ(edges(), std::make_pair(50, 90));
      }
      EXPECT_EQ(clock->RunningCount(), 0u);
    }
    InstallThreadTimerService(nullptr);
  }
}

}  // namespace
}  // namespace vg

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", "/tmp");
#ifdef VG_RATIO_TWO
  qputenv("QT_SCALE_FACTOR", "2");
#endif
  // The software scene graph: pictures are the same on every machine, with or without GPU.
  QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
