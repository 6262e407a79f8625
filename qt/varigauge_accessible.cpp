#include "qt/varigauge_accessible.h"

#include <QPointer>

#include "control/live_fields.h"
#include "control/type_library.h"
#include "control/varigauge.h"
#include "platform/disk/disk_space.h"
#include "qt/varigauge_widget.h"

namespace vg {
namespace {

// Whether the render pass draws block `n`: visible, and no bar negative.
bool Drawn(const Varigauge& c, int16_t n) {
  const Variant i = Variant::Integer(n);
  return c.get_BlockVisible(i) && c.get_BlockBarLeft(i) >= 0 && c.get_BlockBarRight(i) >= 0 &&
         c.get_BlockBarTop(i) >= 0 && c.get_BlockBarBottom(i) >= 0;
}

// The block number of the `index`-th drawn block, or 0.
int16_t DrawnBlock(const Varigauge& c, int index) {
  const int16_t blocks = c.get_Blocks();
  for (int16_t n = 1; n <= blocks; ++n)
    if (Drawn(c, n) && index-- == 0) return n;
  return 0;
}

// Block `n`'s text with its fields filled in as the render pass fills them, worked on a copy
// so that asking changes nothing.
std::string ShownText(const Varigauge& c, int16_t n) {
  const Variant i = Variant::Integer(n);
  BlockRecord copy;
  copy.Text = c.get_BlockText(i);
  copy.HPercentage = c.get_BlockHPercentage(i);
  copy.VPercentage = c.get_BlockVPercentage(i);
  // The control's host keeps the time and the drive map the render pass reads.
  const std::shared_ptr<TimerService> service = c.host().Timers();
  const Clock& clock = service ? static_cast<const Clock&>(*service) : SystemClock();
  std::string text = copy.Text;
  try {
    ExpandLiveFields(
        text, copy,
        {clock, c.host().Drives(), static_cast<int16_t>(c.get_HMaxValue() - c.get_HMinValue()),
         static_cast<int16_t>(c.get_VMaxValue() - c.get_VMinValue())});
  } catch (const std::exception&) {
    // A show field beyond 16 bits: the pass drew nothing new either; keep the plain text.
    return copy.Text;
  }
  return text;
}

class BlockAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  BlockAccessible(VarigaugeWidget* w, int index) : widget_(w), index_(index) {}

  bool isValid() const override { return widget_ && Block() != 0; }
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(widget_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    const int16_t n = Block();
    if (n == 0) return {};
    if (t == QAccessible::Name) return QString::fromStdString(ShownText(widget_->control(), n));
    if (t == QAccessible::Value)
      return QString::fromStdString(widget_->control().get_BlockHPercentage(Variant::Integer(n)));
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    return widget_ ? QRect(widget_->mapToGlobal(QPoint(0, 0)), widget_->size()) : QRect();
  }
  QAccessible::Role role() const override { return QAccessible::Indicator; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.disabled = widget_ && !widget_->isEnabled();
    s.invalid = !isValid();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  QStringList actionNames() const override {
    const int16_t n = Block();
    if (n == 0 || !widget_->control().get_BlockClickable(Variant::Integer(n))) return {};
    return {pressAction()};
  }
  void doAction(const QString& name) override {
    const int16_t n = Block();
    if (name != pressAction() || n == 0 || !widget_->isEnabled() ||
        !widget_->control().get_BlockClickable(Variant::Integer(n)))
      return;
    // As a click on the block: BlockClicked with its number, then Click.
    std::vector<Variant> args{Variant::Integer(n)};
    widget_->host().RaiseEventById(event_id::kBlockClicked, "BlockClicked", args);
    std::vector<Variant> none;
    widget_->host().RaiseEventById(event_id::kClick, "Click", none);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  int16_t Block() const { return widget_ ? DrawnBlock(widget_->control(), index_) : 0; }

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
  if (t == QAccessible::Name) return QString::fromStdString(widget()->control().get_Caption());
  return QAccessibleWidget::text(t);
}

int VarigaugeAccessible::childCount() const {
  int count = 0;
  while (DrawnBlock(widget()->control(), count) != 0) ++count;
  return count;
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

}  // namespace vg
