#pragma once
// The Boundaries page: the horizontal and vertical value scales. Every showing reads the
// four limits; every Apply writes all four, each minimum before its maximum.
#include "qt/property_page.h"

#include <memory>

namespace Ui {
class BoundariesPage;
}

namespace vg {

class BoundariesPage : public PropertyPage {
  Q_OBJECT

 public:
  explicit BoundariesPage(QWidget* parent = nullptr);
  ~BoundariesPage() override;

  QString Caption() const override { return tr("&Boundaries"); }
  void PropertyPage_SelectionChanged() override;
  void PropertyPage_ApplyChanges() override;

 private:
  // The page's widgets, made from boundaries_page.ui.
  std::unique_ptr<Ui::BoundariesPage> ui_;
};

}  // namespace vg
