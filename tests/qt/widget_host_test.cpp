// The widget as a host: the conformance suite every host passes, ticks from the real event
// loop, and mouse input turned into the framework's notifications and the control's events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "control/varigauge.h"
#include "platform/host/headless_host.h"
#include "platform/timers/local_time.h"
#include "qt/qt_timer_service.h"
#include "qt/varigauge_widget.h"
#include "tests/host/host_conformance.h"

namespace vg {
namespace {

// Records the window areas the widget is asked to repaint, then lets it schedule them.
class RecordingWidget : public VarigaugeWidget {
 public:
  using VarigaugeWidget::VarigaugeWidget;
  // The suite drives the host part the widget keeps to itself.
  using HostBase::AmbientFont, HostBase::BackColor, HostBase::Click, HostBase::DblClick,
      HostBase::Destroy, HostBase::Font, HostBase::ForeColor, HostBase::Height, HostBase::MouseUp,
      HostBase::MoveToScreen, HostBase::Paint, HostBase::ResizePixels, HostBase::ScaleHeight,
      HostBase::ScaleWidth, HostBase::SetBackColor, HostBase::SetEnabled, HostBase::SetFont,
      HostBase::SetForeColor, HostBase::SetHeight, HostBase::SetWidth, HostBase::TwipsPerPixelX,
      HostBase::TwipsPerPixelY, HostBase::Width, HostBase::control_ref, HostBase::hDC,
      HostBase::Place;
  // The suite looks at the hosted control as the host contract has it (any control).
  ControlEvents* control() const { return HostBase::control(); }
  std::vector<gdi::RECT> changes;

 protected:
  void OnWindowChanged(const gdi::RECT& changed) override {
    changes.push_back(changed);
    VarigaugeWidget::OnWindowChanged(changed);
  }
};

struct QtTraits {
  using Host = RecordingWidget;
  static std::unique_ptr<RecordingWidget> Make(const HostOptions& o) {
    return std::make_unique<RecordingWidget>(o);
  }
  static std::vector<gdi::RECT> TakeWindowChanges(RecordingWidget& w) {
    return std::exchange(w.changes, {});
  }
};

}  // namespace

namespace conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(QtWidget, HostConformance, ::testing::Types<QtTraits>);
}  // namespace conformance

namespace {

TEST(WidgetTimers, QtProgramsTickOnTheEventLoopAndAHeadlessHostDoesNotTakeItAway) {
  auto widget = std::make_unique<RecordingWidget>(HostOptions{});
  EXPECT_NE(dynamic_cast<QtTimerService*>(ThreadTimerService().get()), nullptr);
  {
    // A headless host in the same program runs on a manual clock of its own, which the
    // thread never sees.
    HeadlessHost headless;
    EXPECT_NE(ThreadTimerService().get(), &headless.clock());
    EXPECT_EQ(headless.Timers().get(), &headless.clock());
  }
  EXPECT_NE(dynamic_cast<QtTimerService*>(ThreadTimerService().get()), nullptr);
}

TEST(WidgetTimers, AHeadlessHostsManualClockTouchesNoWidgetOnTheThread) {
  RecordingWidget w(HostOptions{});
  auto on_widget = Varigauge::PlaceIn(w);
  HeadlessHost headless;
  auto on_headless = Varigauge::PlaceIn(headless);
  headless.clock().SetWallTime(*MakeLocalTime(2001, 2, 3, 4, 5, 6));
  for (const auto& c : {on_widget, on_headless}) {
    c->put_TimerTimeInterval(20);
    c->put_TimerTimeEnabled(true);
  }
  // Each control's timer runs on its own host's service: the headless one on its clock,
  // the widget's on the event loop, which keeps ticking while the manual clock stands still.
  EXPECT_EQ(headless.clock().RunningCount(), 1u);
  QSignalSpy spy(&w, &VarigaugeWidget::timerTime);
  ASSERT_TRUE(spy.wait(5000));
  EXPECT_EQ(headless.clock().Elapsed(), 0);
  EXPECT_EQ(headless.clock().RunningCount(), 1u);
  // Time fields read their own host's clock: the widget shows today, not 2001.
  EXPECT_EQ(headless.Timers()->Now().year, 2001);
  EXPECT_NE(w.host().Timers()->Now().year, 2001);
  // Moving the manual clock ticks only the headless control.
  const int widget_ticks = spy.count();
  headless.TakeEvents();
  EXPECT_TRUE(headless.clock().Advance(100));
  EXPECT_EQ(spy.count(), widget_ticks);
  int headless_ticks = 0;
  for (const RecordedEvent& e : headless.TakeEvents()) headless_ticks += e.name == "TimerTime";
  EXPECT_EQ(headless_ticks, 5);
  for (const auto& c : {on_widget, on_headless}) c->put_TimerTimeEnabled(false);
  EXPECT_EQ(headless.clock().RunningCount(), 0u);
}

std::vector<std::string> g_warnings;

TEST(WidgetTimers, AnErrorInATickIsReportedAndTheEventLoopGoesOn) {
  const std::shared_ptr<TimerService> service = QtTimerService::ForThisThread();
  static int ticks = 0;
  ticks = 0;
  g_warnings.clear();
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg) g_warnings.push_back(text.toStdString());
      });
  const uintptr_t id = service->SetTimer(0, 10, [](uintptr_t, uint32_t, uintptr_t, uint32_t) {
    ++ticks;
    Raise(err::kOverflow);
  });
  ASSERT_NE(id, 0u);
  for (int i = 0; i < 500 && ticks < 2; ++i) QTest::qWait(10);
  service->KillTimer(id);
  qInstallMessageHandler(previous);
  EXPECT_GE(ticks, 2);  // the loop went on after the first tick raised
  ASSERT_FALSE(g_warnings.empty());
  EXPECT_EQ(g_warnings.front(), "Varigauge: timer tick: error 6: Overflow");
}

TEST(WidgetTimers, ATimeTickRedrawsBeforeTimerTimeIsRaised) {
  RecordingWidget w(HostOptions{});
  auto control = Varigauge::PlaceIn(w);
  control->put_Blocks(1);
  control->put_BlockText(Variant::Integer(1), "!time!");
  w.changes.clear();
  size_t changes_at_event = 0;
  QObject::connect(&w, &VarigaugeWidget::timerTime, [&] { changes_at_event = w.changes.size(); });
  QSignalSpy spy(&w, &VarigaugeWidget::timerTime);
  control->put_TimerTimeInterval(20);
  control->put_TimerTimeEnabled(true);
  ASSERT_TRUE(spy.wait(5000));
  EXPECT_GE(changes_at_event, 1u);
  control->put_TimerTimeEnabled(false);
}

// A control with one clickable block over the left half of a 200 x 30 window.
class WidgetMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    control_ = Varigauge::PlaceIn(w_);
    w_.resize(200, 30);
    control_->put_Blocks(1);
    control_->put_BlockBarRight(Variant::Integer(1), 50);
    control_->put_BlockClickable(Variant::Integer(1), true);
    QObject::connect(&w_, &VarigaugeWidget::blockClicked,
                     [this](int b) { order_.push_back("BlockClicked " + std::to_string(b)); });
    QObject::connect(&w_, &VarigaugeWidget::clicked, [this] { order_.push_back("Click"); });
    QObject::connect(&w_, &VarigaugeWidget::doubleClicked,
                     [this] { order_.push_back("DblClick"); });
  }
  // A double click as the window system delivers it: press, release, double click, release.
  void DoubleClick(QPoint p) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
      QMouseEvent e(type, p, w_.mapToGlobal(p), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                    Qt::NoModifier);
      QApplication::sendEvent(&w_, &e);
    }
  }
  RecordingWidget w_{HostOptions{}};
  std::shared_ptr<Varigauge> control_;
  std::vector<std::string> order_;
};

TEST_F(WidgetMouse, AClickOnAClickableBlockRaisesBlockClickedThenClick) {
  QTest::mouseClick(&w_, Qt::LeftButton, {}, QPoint(20, 15));
  QTest::mouseClick(&w_, Qt::LeftButton, {}, QPoint(150, 15));
  DoubleClick(QPoint(20, 15));
  // The double click's closing release raises BlockClicked (MouseUp) but no second Click.
  const std::vector<std::string> expected = {"BlockClicked 1", "Click",          "BlockClicked -1",
                                             "Click",          "BlockClicked 1", "Click",
                                             "DblClick",       "BlockClicked 1"};
  EXPECT_EQ(order_, expected);
}

TEST_F(WidgetMouse, ADisabledWidgetRaisesNothing) {
  w_.setEnabled(false);
  EXPECT_FALSE(w_.host().Enabled());
  QTest::mouseClick(&w_, Qt::LeftButton, {}, QPoint(20, 15));
  DoubleClick(QPoint(20, 15));
  // Even input that reaches the host directly is dropped while disabled.
  w_.MouseUp(1, 0, 20, 15);
  w_.Click();
  w_.DblClick();
  EXPECT_TRUE(order_.empty());
}

}  // namespace
}  // namespace vg
