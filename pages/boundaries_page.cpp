#include "pages/boundaries_page.h"

#include <QLineEdit>

#include "control/varigauge.h"
#include "pages/page_numbers.h"
#include "platform/automation/conversions.h"
#include "ui_boundaries_page.h"

namespace vg {
namespace {

// A text box's value passed as a double; the control's Integer conversion rounds halves to
// even and refuses what does not fit (error 6).
int16_t ScaleValue(const QLineEdit* box) {
  return ToInteger(Variant::Double(LeadingNumber(box->text().toStdString())));
}

}  // namespace

BoundariesPage::BoundariesPage(QWidget* parent)
    : PropertyPage(parent), ui_(std::make_unique<Ui::BoundariesPage>()) {
  setObjectName(QStringLiteral("Boundaries"));
  ui_->setupUi(this);
  for (QLineEdit* box :
       {ui_->txtHMinValue, ui_->txtHMaxValue, ui_->txtVMinValue, ui_->txtVMaxValue})
    connect(box, &QLineEdit::textChanged, this, [this] { SetChanged(true); });
}

BoundariesPage::~BoundariesPage() = default;

void BoundariesPage::PropertyPage_SelectionChanged() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  ui_->txtHMinValue->setText(QString::number(c->get_HMinValue()));
  ui_->txtHMaxValue->setText(QString::number(c->get_HMaxValue()));
  ui_->txtVMinValue->setText(QString::number(c->get_VMinValue()));
  ui_->txtVMaxValue->setText(QString::number(c->get_VMaxValue()));
}

void BoundariesPage::PropertyPage_ApplyChanges() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  c->put_HMinValue(ScaleValue(ui_->txtHMinValue));
  c->put_HMaxValue(ScaleValue(ui_->txtHMaxValue));
  c->put_VMinValue(ScaleValue(ui_->txtVMinValue));
  c->put_VMaxValue(ScaleValue(ui_->txtVMaxValue));
}

}  // namespace vg
