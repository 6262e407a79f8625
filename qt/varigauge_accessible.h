#pragma once
// The control as assistive technologies see it: a progress bar whose value, minimum and
// maximum are the widget's progress face, named by its accessibleName, else its caption,
// else the label whose buddy it is. Its children are the blocks the latest drawing showed,
// in block order, each a progress bar of its own with the rectangle it was drawn in, its
// text as drawn (live fields filled in) as name and its horizontal percentage as value. A
// clickable block offers the press action, which raises BlockClicked and Click as a click
// on it would.
#include <QAccessibleWidget>
#include <vector>

namespace vg {

class VarigaugeWidget;

// Makes the widget's interfaces known to Qt's accessibility (once per process).
void InstallVarigaugeAccessibility();

class VarigaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit VarigaugeAccessible(VarigaugeWidget* widget);
  ~VarigaugeAccessible() override;

  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // The progress face; read-only to assistive technologies, as a progress bar is.
  QVariant currentValue() const override;
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override;
  QVariant minimumValue() const override;
  QVariant minimumStepSize() const override { return 0; }

 private:
  VarigaugeWidget* widget() const;
  mutable std::vector<QAccessible::Id> children_;  // registered block interfaces by index
};

}  // namespace vg
