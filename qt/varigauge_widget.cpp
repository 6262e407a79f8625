#include "qt/varigauge_widget.h"

#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>
#include <cstring>
#include <utility>

#include "control/varigauge.h"
#include "platform/automation/conversions.h"
#include "platform/base/numeric.h"
#include "platform/host/window_rules.h"
#include "qt/qt_timer_service.h"
#include "qt/varigauge_accessible.h"
#include "qt/window_present.h"

namespace vg {
namespace {

VarigaugeWidget::AboutBoxHandler about_box_handler = nullptr;

HostOptions OptionsFor(const QWidget& w, bool user_mode) {
  HostOptions o;
  o.dpi = VarigaugeWidget::DeviceDpi(w.logicalDpiX(), w.devicePixelRatioF());
  o.user_mode = user_mode;
  return o;
}

}  // namespace

int VarigaugeWidget::DeviceDpi(double logical_dpi, double device_pixel_ratio) {
  if (!(logical_dpi > 0)) logical_dpi = gdi::kDefaultDpi;
  if (!(device_pixel_ratio > 0)) device_pixel_ratio = 1;
  return RoundToInt32(logical_dpi * device_pixel_ratio);
}

VarigaugeWidget::VarigaugeWidget(QWidget* parent, bool user_mode)
    : QWidget(parent), HostBase(OptionsFor(*this, user_mode)) {
  Init();
  Place(&Varigauge::Create);
}

VarigaugeWidget::VarigaugeWidget(const HostOptions& options, QWidget* parent)
    : QWidget(parent), HostBase(options) {
  Init();
}

void VarigaugeWidget::Init() {
  // Qt programs tick on the event loop; a thread that has a service already (a headless
  // host's manual clock in a test) keeps it.
  timers_ = QtTimerService::ForThisThread();
  InstallVarigaugeAccessibility();
  // Every pixel comes from the window's buffer.
  setAttribute(Qt::WA_OpaquePaintEvent);
  FollowWindowSize();
}

VarigaugeWidget::~VarigaugeWidget() {
  Destroy();
}

Varigauge& VarigaugeWidget::control() const {
  return static_cast<Varigauge&>(*HostBase::control());
}

double VarigaugeWidget::Ratio() const {
  return Dpi() / (logicalDpiX() > 0 ? static_cast<double>(logicalDpiX()) : gdi::kDefaultDpi);
}

QSize VarigaugeWidget::sizeHint() const {
  const double r = Ratio();
  return {RoundToInt32(window_rules::WindowPixels(Width(), Dpi()) / r),
          RoundToInt32(window_rules::WindowPixels(Height(), Dpi()) / r)};
}

void VarigaugeWidget::FollowWindowSize() {
  following_ = true;
  resize(sizeHint());
  following_ = false;
}

void VarigaugeWidget::OnFrameworkEvent(const char* name) {
  // The outer size changed (the control sized itself, or the screen changed): the widget
  // takes the window's size, so layouts and the screen agree with the control.
  if (std::strcmp(name, window_rules::kResize) == 0 && !following_) FollowWindowSize();
}

void VarigaugeWidget::OnWindowChanged(const gdi::RECT& changed) {
  // Device pixels to the logical area that covers them.
  const double r = Ratio();
  const int left = static_cast<int>(std::floor(changed.left / r));
  const int top = static_cast<int>(std::floor(changed.top / r));
  const int right = static_cast<int>(std::ceil(changed.right / r));
  const int bottom = static_cast<int>(std::ceil(changed.bottom / r));
  update(QRect(left, top, right - left, bottom - top));
}

void VarigaugeWidget::SetEnabled(bool enabled) {
  HostBase::SetEnabled(enabled);
  if (isEnabled() != enabled) setEnabled(enabled);
}

void VarigaugeWidget::PropertyChanged(const std::string& name) {
  emit propertyChanged(QString::fromStdString(name));
}

void VarigaugeWidget::RaiseEvent(const std::string& name, const std::vector<Variant>& args) {
  std::vector<Variant> copy = args;
  RaiseEventById(DISPID_UNKNOWN, name, copy);
}

void VarigaugeWidget::RaiseEventById(DISPID /*id*/, const std::string& name,
                                     std::vector<Variant>& args) {
  if (sink_) sink_(name, args);
  if (name == "BlockClicked" && !args.empty()) {
    short block = ToInteger(args[0]);
    emit blockClicked(block);
    args[0] = Variant::Integer(block);
  } else if (name == "Click") {
    emit clicked();
  } else if (name == "DblClick") {
    emit doubleClicked();
  } else if (name == "TimerTime") {
    emit timerTime();
  } else if (name == "TimerDisk") {
    emit timerDisk();
  }
}

namespace {

int16_t ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int16_t ShiftOf(Qt::KeyboardModifiers m) {
  return static_cast<int16_t>((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                              (m & Qt::AltModifier ? 4 : 0));
}

}  // namespace

void VarigaugeWidget::mouseReleaseEvent(QMouseEvent* event) {
  // The control counts in the drawing area's pixels, which are device pixels.
  const double r = Ratio();
  const QPointF p = event->position();
  const bool closes_double = std::exchange(after_double_, false);
  MouseUp(ButtonOf(event->button()), ShiftOf(event->modifiers()), static_cast<float>(p.x() * r),
          static_cast<float>(p.y() * r));
  if (!closes_double && rect().contains(p.toPoint())) Click();
  event->accept();
}

void VarigaugeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  after_double_ = true;
  DblClick();
  event->accept();
}

void VarigaugeWidget::paintEvent(QPaintEvent* event) {
  PresentWindow(*this, hDC(), event->rect(), Ratio());
}

void VarigaugeWidget::resizeEvent(QResizeEvent* event) {
  // The size the widget took from the window (also when a hidden widget's pending resize
  // arrives late) changes nothing.
  if (following_ || event->size() == sizeHint()) return;
  // The window system gave the widget another size: the window follows in device pixels.
  const double r = Ratio();
  ResizePixels(RoundToInt32(event->size().width() * r), RoundToInt32(event->size().height() * r));
  Paint();
}

void VarigaugeWidget::changeEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::EnabledChange:
      HostBase::SetEnabled(isEnabled());
      break;
    case QEvent::ScreenChangeInternal:
      // Another density: the same outer size in twips covers another number of pixels.
      MoveToScreen(DeviceDpi(logicalDpiX(), devicePixelRatioF()));
      break;
    default:
      break;
  }
  QWidget::changeEvent(event);
}

void VarigaugeWidget::SetAboutBoxHandler(AboutBoxHandler handler) {
  about_box_handler = handler;
}

void VarigaugeWidget::ShowAboutBox() {
  if (about_box_handler) about_box_handler(this);
}

}  // namespace vg
