#include "pages/boundaries_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "control/varigauge.h"
#include "pages/page_numbers.h"
#include "pages/page_widgets.h"
#include "platform/automation/conversions.h"

namespace vg {
namespace {

// A text box's value passed as a double; the control's Integer conversion rounds halves to
// even and refuses what does not fit (error 6).
int16_t ScaleValue(const QLineEdit* box) {
  return ToInteger(Variant::Double(LeadingNumber(box->text().toStdString())));
}

}  // namespace

BoundariesPage::BoundariesPage(QWidget* parent) : PropertyPage(parent) {
  setObjectName(QStringLiteral("Boundaries"));
  auto* layout = new QVBoxLayout(this);
  auto add_frame = [&](const QString& caption, const char* min_name, const char* max_name,
                       QLineEdit*& min_box, QLineEdit*& max_box) {
    auto* frame = new QGroupBox(caption, this);
    auto* form = new QFormLayout(frame);
    min_box = MakeTextBox(frame, min_name);
    max_box = MakeTextBox(frame, max_name);
    AddRow(form, tr("&Minimum:"), min_box);
    AddRow(form, tr("&Maximum:"), max_box);
    layout->addWidget(frame);
  };
  add_frame(tr("&Horizontal value"), "txtHMinValue", "txtHMaxValue", txtHMinValue, txtHMaxValue);
  add_frame(tr("&Vertical value"), "txtVMinValue", "txtVMaxValue", txtVMinValue, txtVMaxValue);
  layout->addStretch();
  for (QLineEdit* box : {txtHMinValue, txtHMaxValue, txtVMinValue, txtVMaxValue})
    connect(box, &QLineEdit::textChanged, this, [this] { SetChanged(true); });
}

void BoundariesPage::PropertyPage_SelectionChanged() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  txtHMinValue->setText(QString::number(c->get_HMinValue()));
  txtHMaxValue->setText(QString::number(c->get_HMaxValue()));
  txtVMinValue->setText(QString::number(c->get_VMinValue()));
  txtVMaxValue->setText(QString::number(c->get_VMaxValue()));
}

void BoundariesPage::PropertyPage_ApplyChanges() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  c->put_HMinValue(ScaleValue(txtHMinValue));
  c->put_HMaxValue(ScaleValue(txtHMaxValue));
  c->put_VMinValue(ScaleValue(txtVMinValue));
  c->put_VMaxValue(ScaleValue(txtVMaxValue));
}

}  // namespace vg
