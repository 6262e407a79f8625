#include "qt/varigauge_accessible.h"

#include <QPointer>
#include <algorithm>
#include <cmath>

#include "control/type_library.h"
#include "control/varigauge.h"
#include "qt/varigauge_widget.h"

namespace vg {
namespace {

// The `index`-th block the latest drawing showed, or null.
const DrawnBlock* DrawnAt(const VarigaugeWidget* w, int index) {
  if (!w || !w->host().control() || index < 0) return nullptr;
  const std::span<const DrawnBlock> drawn = w->control().DrawnBlocks();
  return static_cast<size_t>(index) < drawn.size() ? &drawn[index] : nullptr;
}

// A block's rectangle on the screen in logical pixels: the drawn rectangle (device pixels,
// either pair of edges possibly reversed) put in order, cut to the widget and mapped to
// the screen. A rectangle without width or height keeps its place.
QRect ScreenRect(const VarigaugeWidget& w, const PixelRect& r) {
  const double dpi = w.logicalDpiX() > 0 ? w.logicalDpiX() : 96.0;
  const double ratio = w.host().Dpi() / dpi;
  auto logical = [ratio](int32_t v, bool up) {
    const double x = v / ratio;
    return static_cast<int>(up ? std::ceil(x) : std::floor(x));
  };
  const int left = std::clamp(logical(std::min(r.left, r.right), false), 0, w.width());
  const int right = std::clamp(logical(std::max(r.left, r.right), true), 0, w.width());
  const int top = std::clamp(logical(std::min(r.top, r.bottom), false), 0, w.height());
  const int bottom = std::clamp(logical(std::max(r.top, r.bottom), true), 0, w.height());
  return {w.mapToGlobal(QPoint(left, top)), QSize(right - left, bottom - top)};
}

class BlockAccessible : public QAccessibleInterface,
                        public QAccessibleActionInterface,
                        public QAccessibleValueInterface {
 public:
  BlockAccessible(VarigaugeWidget* w, int index) : widget_(w), index_(index) {}

  bool isValid() const override { return Drawn() != nullptr; }
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(widget_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    const DrawnBlock* d = Drawn();
    if (!d) return {};
    if (t == QAccessible::Name) return QString::fromStdString(d->text);
    if (t == QAccessible::Value) return QString::number(d->h_percentage);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    const DrawnBlock* d = Drawn();
    return d ? ScreenRect(*widget_, d->rect) : QRect();
  }
  // A block is a bar on the control's scales showing a share: a progress bar of its own.
  QAccessible::Role role() const override { return QAccessible::ProgressBar; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.disabled = widget_ && !widget_->isEnabled();
    s.invisible = widget_ && !widget_->isVisible();
    s.readOnly = true;
    s.invalid = !isValid();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return nullptr;
  }

  QStringList actionNames() const override {
    const DrawnBlock* d = Drawn();
    if (!d || !Clickable(d->number)) return {};
    return {pressAction()};
  }
  void doAction(const QString& name) override {
    const DrawnBlock* d = Drawn();
    if (name != pressAction() || !d || !widget_->isEnabled() || !Clickable(d->number)) return;
    // As a click on the block: BlockClicked with its number, then Click.
    std::vector<Variant> args{Variant::Integer(static_cast<int16_t>(d->number))};
    widget_->host().RaiseEventById(event_id::kBlockClicked, "BlockClicked", args);
    std::vector<Variant> none;
    widget_->host().RaiseEventById(event_id::kClick, "Click", none);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  // The percentage; a block's bars are set by the program, not by assistive technologies.
  QVariant currentValue() const override {
    const DrawnBlock* d = Drawn();
    return d ? QVariant(static_cast<qlonglong>(d->h_percentage)) : QVariant();
  }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return 100; }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 0; }

 private:
  const DrawnBlock* Drawn() const { return DrawnAt(widget_.data(), index_); }
  // The block's number still names a block that takes clicks (the table may have changed
  // since the drawing).
  bool Clickable(int32_t number) const {
    const Varigauge& c = widget_->control();
    return number >= 1 && number <= c.get_Blocks() &&
           c.get_BlockClickable(Variant::Integer(static_cast<int16_t>(number)));
  }

  QPointer<VarigaugeWidget> widget_;
  int index_;
};

QAccessibleInterface* Factory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String("vg::VarigaugeWidget") && object && object->isWidgetType())
    return new VarigaugeAccessible(static_cast<VarigaugeWidget*>(object));
  return nullptr;
}

}  // namespace

void InstallVarigaugeAccessibility() {
  static const bool installed = (QAccessible::installFactory(&Factory), true);
  (void)installed;
}

VarigaugeAccessible::VarigaugeAccessible(VarigaugeWidget* widget)
    : QAccessibleWidget(widget, QAccessible::ProgressBar) {}

VarigaugeAccessible::~VarigaugeAccessible() {
  for (QAccessible::Id id : children_)
    if (id) QAccessible::deleteAccessibleInterface(id);
}

VarigaugeWidget* VarigaugeAccessible::widget() const {
  return static_cast<VarigaugeWidget*>(QAccessibleWidget::widget());
}

QString VarigaugeAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) {
    // A name the program gave wins; then the caption drawn on the control; then the label
    // it is the buddy of (the base class reads accessibleName and the buddy label).
    if (widget()->accessibleName().isEmpty() && widget()->host().control()) {
      const std::string& caption = widget()->control().get_Caption();
      if (!caption.empty()) return QString::fromStdString(caption);
    }
  }
  return QAccessibleWidget::text(t);
}

int VarigaugeAccessible::childCount() const {
  if (!widget()->host().control()) return 0;
  return static_cast<int>(widget()->control().DrawnBlocks().size());
}

QAccessibleInterface* VarigaugeAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  if (children_.size() <= static_cast<size_t>(index)) children_.resize(index + 1, 0);
  QAccessible::Id& id = children_[index];
  if (!id) id = QAccessible::registerAccessibleInterface(new BlockAccessible(widget(), index));
  return QAccessible::accessibleInterface(id);
}

int VarigaugeAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (size_t i = 0; i < children_.size(); ++i)
    if (children_[i] && QAccessible::accessibleInterface(children_[i]) == child)
      return static_cast<int>(i);
  return -1;
}

void* VarigaugeAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QVariant VarigaugeAccessible::currentValue() const {
  // A bar hidden by a negative edge (a new block's -1) reads as the minimum: assistive
  // technologies expect a value within the range.
  const int lo = std::min(widget()->minimum(), widget()->maximum());
  const int hi = std::max(widget()->minimum(), widget()->maximum());
  return std::clamp(widget()->value(), lo, hi);
}

QVariant VarigaugeAccessible::maximumValue() const {
  return widget()->maximum();
}

QVariant VarigaugeAccessible::minimumValue() const {
  return widget()->minimum();
}

}  // namespace vg
