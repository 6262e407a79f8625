#pragma once
// The control as assistive technologies see it: a progress bar named by its caption whose
// children are the blocks it draws (the visible ones, in block order), each named by its
// text as drawn (live fields filled in) with its horizontal percentage as value. A
// clickable block offers the press action, which raises BlockClicked and Click as a click
// on it would.
#include <QAccessibleWidget>

namespace vg {

class VarigaugeWidget;

// Makes the widget's interfaces known to Qt's accessibility (once per process).
void InstallVarigaugeAccessibility();

class VarigaugeAccessible : public QAccessibleWidget {
 public:
  explicit VarigaugeAccessible(VarigaugeWidget* widget);
  ~VarigaugeAccessible() override;

  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;

 private:
  VarigaugeWidget* widget() const;
  mutable std::vector<QAccessible::Id> children_;  // registered block interfaces by index
};

}  // namespace vg
