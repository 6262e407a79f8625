#include "qt/varigauge_widget.h"

#include <QAccessible>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>
#include <cstring>
#include <utility>

#include "control/dispids.h"
#include "control/type_library.h"
#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"
#include "platform/base/numeric.h"
#include "platform/host/window_rules.h"
#include "qt/face_access.h"
#include "qt/qt_timer_service.h"
#include "qt/qt_values.h"
#include "qt/varigauge_accessible.h"
#include "qt/window_present.h"

namespace vg {

// Generated beside the accessors (varigauge_widget_members.cpp).
void FillBlock(Block& block, const std::vector<Variant>& values);
std::vector<Variant> BlockToValues(const Block& block);
std::vector<bool> BlockFieldsDiffer(const Block& a, const Block& b);

namespace {

VarigaugeWidget::AboutBoxHandler about_box_handler = nullptr;

HostOptions OptionsFor(const QWidget& w, bool user_mode) {
  HostOptions o;
  o.dpi = VarigaugeWidget::DeviceDpi(w.logicalDpiX(), w.devicePixelRatioF());
  o.user_mode = user_mode;
  return o;
}

}  // namespace

Block::Block() {
  // A new block's settings, from the member table's defaults.
  static const std::vector<Variant> defaults = [] {
    std::vector<Variant> v;
    for (const MemberRow* row : BlockMembers()) v.push_back(row->def.Make(nullptr));
    return v;
  }();
  FillBlock(*this, defaults);
}

int VarigaugeWidget::DeviceDpi(double logical_dpi, double device_pixel_ratio) {
  if (!(logical_dpi > 0)) logical_dpi = gdi::kDefaultDpi;
  if (!(device_pixel_ratio > 0)) device_pixel_ratio = 1;
  return RoundToInt32(logical_dpi * device_pixel_ratio);
}

VarigaugeWidget::VarigaugeWidget(QWidget* parent) : VarigaugeWidget(parent, true) {}

VarigaugeWidget::VarigaugeWidget(QWidget* parent, bool user_mode)
    : QWidget(parent), HostBase(OptionsFor(*this, user_mode)) {
  Init();
  Guarded("placing the control", [this] { Place(&Varigauge::Create); });
  ShowControlFont();
  last_value_ = value();
}

VarigaugeWidget::VarigaugeWidget(const HostOptions& options, QWidget* parent)
    : QWidget(parent), HostBase(options) {
  Init();
}

void VarigaugeWidget::Init() {
  // Qt programs tick on the event loop; a thread that has a service already (a headless
  // host's manual clock in a test) keeps it.
  timers_ = QtTimerService::ForThisThread();
  // What the control raises in a call from the window system (paint, resize, mouse) is
  // reported as the widget's own errors are.
  SetFaultReporter([this](const BoundaryFault& fault) {
    ReportError(fault.where, fault.number, QString::fromStdString(fault.description));
  });
  InstallVarigaugeAccessibility();
  // The window's pixels, and the control's off-screen surface made for it, are kept in the
  // backing store's layout, so that neither the copy to the window nor the paint converts.
  gdi::SetWindowScreenLayout(hDC(), true);
  busy_.SetShown(false);  // until the widget is shown
  // Every pixel comes from the window's buffer.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  FollowWindowSize();
}

VarigaugeWidget::~VarigaugeWidget() {
  Guarded("closing the control", [this] { Destroy(); });
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
  updateGeometry();
}

void VarigaugeWidget::OnFrameworkEvent(const char* name) {
  // The outer size changed (the control sized itself, or the screen changed): the widget
  // takes the window's size, so layouts and the screen agree with the control.
  if (std::strcmp(name, window_rules::kResize) == 0 && !following_) FollowWindowSize();
}

void VarigaugeWidget::OnWindowChanged(const gdi::RECT& changed) {
  // Device pixels to the logical area that covers them.
  update(LogicalArea(changed, Ratio()));
}

// ---- errors -------------------------------------------------------------------------

void VarigaugeWidget::ReportError(const char* what, int number, const QString& description) {
  qWarning("vg::VarigaugeWidget %s: %s: error %d: %s", qPrintable(objectName()), what, number,
           qPrintable(description));
  emit errorOccurred(number, description);
}

FaceWithControl VarigaugeWidget::WithControl(const char* what) {
  // A glide's frame finds the control the face holds then (a form may have replaced it).
  return [this, what](const std::function<void(Varigauge&)>& body) {
    if (HostBase::control()) Guarded(what, [&] { body(control()); });
  };
}

bool VarigaugeWidget::Guarded(const char* what, const std::function<void()>& body) {
  return GuardFace(what, body, [this](const char* where, int number, const QString& text) {
    ReportError(where, number, text);
  });
}

// ---- generated accessors' access to the control -----------------------------------------

Variant VarigaugeWidget::FetchMember(DISPID id) const {
  return FetchFaceMember(HostBase::control() ? &control() : nullptr, id);
}

void VarigaugeWidget::StoreMember(DISPID id, const Variant& value) {
  if (!HostBase::control()) return;
  Guarded(FaceMemberName(id, "property"), [&] { StoreFaceMember(control(), id, value); });
}

void VarigaugeWidget::CallMember(DISPID id, std::vector<Variant> args) {
  if (!HostBase::control()) return;
  Guarded(FaceMemberName(id, "method"), [&] { CallFaceMember(control(), id, std::move(args)); });
}

void VarigaugeWidget::ResetMember(DISPID id) {
  Variant def;
  if (Guarded("reset", [&] { def = FaceMemberDefault(id, this); })) StoreMember(id, def);
}

// ---- the framework's notifications ------------------------------------------------------

void VarigaugeWidget::SetEnabled(bool enabled) {
  HostBase::SetEnabled(enabled);
  if (isEnabled() != enabled) setEnabled(enabled);
}

void VarigaugeWidget::SetFont(StdFontRef font) {
  HostBase::SetFont(std::move(font));
  ShowControlFont();
}

void VarigaugeWidget::ShowControlFont() {
  if (showing_font_ || !HostBase::control()) return;
  const StdFontRef f = Font();
  if (!f) return;
  showing_font_ = true;
  setFont(ToQFont(*f));
  showing_font_ = false;
}

void VarigaugeWidget::PropertyChanged(const std::string& name) {
  // A change made after a failed load replaces the text kept from it.
  if (name.rfind("Block", 0) == 0) kept_blocks_.clear();
  if (name != "Width" && name != "Height") kept_bag_.clear();
  emit propertyChanged(QString::fromStdString(name));
  // The caption names the control to assistive technologies unless the program named it.
  if (name == "Caption" && accessibleName().isEmpty() && isVisible()) {
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
  if (const MemberRow* row = FindMember(name)) {
    EmitPropertyChanged(row->id);
    if (row->id == dispid::kBlocks) emit blocksChanged();
  } else if (name == "Block") {
    emit blocksChanged();
  }
  CheckValue();
}

void VarigaugeWidget::RaiseEvent(const std::string& name, const std::vector<Variant>& args) {
  std::vector<Variant> copy = args;
  RaiseEventById(DISPID_UNKNOWN, name, copy);
}

void VarigaugeWidget::RaiseEventById(DISPID id, const std::string& name,
                                     std::vector<Variant>& args) {
  if (sink_) sink_(name, args);
  if (id == DISPID_UNKNOWN) {
    for (const EventRow& e : Events())
      if (e.name == name) id = e.id;
  }
  EmitEvent(id, args);
}

void VarigaugeWidget::SetAboutBoxHandler(AboutBoxHandler handler) {
  about_box_handler = handler;
}

void VarigaugeWidget::ShowAboutBox() {
  if (about_box_handler) about_box_handler(this);
}

// ---- blocks and the progress face -------------------------------------------------------

int VarigaugeWidget::blockCount() const {
  return HostBase::control() ? control().get_Blocks() : 0;
}

Block VarigaugeWidget::block(int number) const {
  if (number < 1 || number > blockCount()) return Block();
  Block b;
  FillBlock(b, ReadBlockTargets(glide_, control(), number));
  return b;
}

void VarigaugeWidget::setBlock(int number, const Block& block) {
  if (!HostBase::control()) return;
  ForgetKeptText();
  Guarded("setBlock", [&] {
    if (number < 1 || number > blockCount()) throw AutomationError(err::kSubscriptOutOfRange);
    // Only the fields that differ in Qt's terms are written (a picture compares by its
    // pixels, not by the object that holds them).
    WriteBlockValuesGliding(glide_, control(), number, BlockToValues(block),
                            BlockFieldsDiffer(this->block(number), block), WithControl("setBlock"));
  });
  CheckValue();
}

int VarigaugeWidget::addBlock() {
  if (!HostBase::control()) return 0;
  ForgetKeptText();
  Guarded("addBlock", [this] { control().AddBlock(); });
  return blockCount();
}

void VarigaugeWidget::removeBlock(int number) {
  if (!HostBase::control()) return;
  ForgetKeptText();
  glide_.StopAll();  // the blocks after it are renumbered
  Guarded("removeBlock", [&] { control().DeleteBlock(Variant::Long(number)); });
}

int VarigaugeWidget::minimum() const {
  return HostBase::control() ? FaceMinimum(control()) : 0;
}

int VarigaugeWidget::maximum() const {
  return HostBase::control() ? FaceMaximum(control()) : 0;
}

int VarigaugeWidget::value() const {
  return HostBase::control() ? FaceTarget(glide_, control()) : 0;
}

void VarigaugeWidget::setValue(int v) {
  if (!HostBase::control()) return;
  v = std::clamp(v, std::min(minimum(), maximum()), std::max(minimum(), maximum()));
  GlideFaceValue(glide_, v, control(), WithControl("setValue"));
  CheckValue();
}

void VarigaugeWidget::setBusy(bool on) {
  if (on == busy() || !HostBase::control()) return;
  Guarded("busy", [&] { busy_.SetOn(control(), on); });
  if (busy() == on) emit busyChanged(on);
}

void VarigaugeWidget::setBusyInterval(int ms) {
  if (ms == busyInterval()) return;
  busy_.SetInterval(ms);
  emit busyIntervalChanged(busyInterval());
}

void VarigaugeWidget::setAnimated(bool on) {
  if (on == animated()) return;
  glide_.SetEnabled(on);
  emit animatedChanged(on);
}

void VarigaugeWidget::setAnimationDuration(int ms) {
  glide_.SetDuration(ms);
  emit animationChanged();
}

void VarigaugeWidget::setEasingCurve(const QEasingCurve& curve) {
  glide_.SetCurve(curve);
  emit animationChanged();
}

void VarigaugeWidget::showEvent(QShowEvent* event) {
  busy_.SetShown(true);
  QWidget::showEvent(event);
}

void VarigaugeWidget::hideEvent(QHideEvent* event) {
  busy_.SetShown(false);
  QWidget::hideEvent(event);
}

void VarigaugeWidget::setMinimum(int v) {
  FaceVertical(control()) ? setVMinValue(v) : setHMinValue(v);
  CheckValue();
}

void VarigaugeWidget::setMaximum(int v) {
  FaceVertical(control()) ? setVMaxValue(v) : setHMaxValue(v);
  CheckValue();
}

void VarigaugeWidget::setRange(int lo, int hi) {
  if (hi < lo) hi = lo;
  setMinimum(lo);
  setMaximum(hi);
  if (value() < lo || value() > hi) setValue(value());
}

void VarigaugeWidget::CheckValue() {
  if (!HostBase::control()) return;
  const int v = value();
  if (v == last_value_) return;
  last_value_ = v;
  if (isVisible()) {
    QAccessibleValueChangeEvent event(this, v);
    QAccessible::updateAccessibility(&event);
  }
  emit valueChanged(v);
}

// ---- window-system events -----------------------------------------------------------------

void VarigaugeWidget::mouseReleaseEvent(QMouseEvent* event) {
  // The control counts in the drawing area's pixels, which are device pixels.
  const double r = Ratio();
  const QPointF p = event->position();
  const bool closes_double = std::exchange(after_double_, false);
  Guarded("mouse release", [&] {
    MouseUp(FaceButton(event->button()), FaceShift(event->modifiers()),
            static_cast<float>(p.x() * r), static_cast<float>(p.y() * r));
    if (!closes_double && rect().contains(p.toPoint())) Click();
  });
  event->accept();
}

void VarigaugeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  after_double_ = true;
  Guarded("double click", [this] { DblClick(); });
  event->accept();
}

void VarigaugeWidget::paintEvent(QPaintEvent* event) {
  PresentWindow(*this, hDC(), event->rect(), Ratio());
  // At design time a control whose stored settings did not load says so over its picture,
  // instead of passing off defaults as the form's settings.
  if (!bag_error_.isEmpty() && !AmbientUserMode()) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(255, 255, 255, 200));
    painter.setPen(Qt::red);
    painter.drawText(rect().adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::TextWordWrap, bag_error_);
  }
}

void VarigaugeWidget::SyncPendingSize() {
  // A hidden widget hears of a new size only when it is shown; a form being stored needs
  // the size now.
  if (following_ || !HostBase::control() || size() == sizeHint()) return;
  const double r = Ratio();
  Guarded("resize", [&] { ResizePixels(RoundToInt32(width() * r), RoundToInt32(height() * r)); });
}

void VarigaugeWidget::resizeEvent(QResizeEvent* event) {
  // The size the widget took from the window (also when a hidden widget's pending resize
  // arrives late) changes nothing.
  if (following_ || event->size() == sizeHint()) return;
  // The window system gave the widget another size: the window follows in device pixels.
  const double r = Ratio();
  Guarded("resize", [&] {
    ResizePixels(RoundToInt32(event->size().width() * r), RoundToInt32(event->size().height() * r));
    Paint();
  });
  updateGeometry();
}

void VarigaugeWidget::changeEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::EnabledChange:
      Guarded("enabled change", [this] { HostBase::SetEnabled(isEnabled()); });
      break;
    case QEvent::FontChange:
      // A font set on the widget (a form, a program) is the control's font.
      if (!showing_font_ && HostBase::control()) {
        showing_font_ = true;
        StoreMember(dispid::kFont, FontValue(font()));
        showing_font_ = false;
      }
      break;
    case QEvent::ScreenChangeInternal:
      // Another density: the same outer size in twips covers another number of pixels.
      Guarded("screen change",
              [this] { MoveToScreen(DeviceDpi(logicalDpiX(), devicePixelRatioF())); });
      break;
    default:
      break;
  }
  QWidget::changeEvent(event);
}

}  // namespace vg
