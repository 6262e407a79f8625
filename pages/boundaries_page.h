#pragma once
// The Boundaries page: the horizontal and vertical value scales. Every showing reads the
// four limits; every Apply writes all four, each minimum before its maximum.
#include "qt/property_page.h"

class QLineEdit;

namespace vg {

class BoundariesPage : public PropertyPage {
  Q_OBJECT

 public:
  explicit BoundariesPage(QWidget* parent = nullptr);

  QString Caption() const override { return tr("&Boundaries"); }
  void PropertyPage_SelectionChanged() override;
  void PropertyPage_ApplyChanges() override;

 private:
  QLineEdit* txtHMinValue;
  QLineEdit* txtHMaxValue;
  QLineEdit* txtVMinValue;
  QLineEdit* txtVMaxValue;
};

}  // namespace vg
