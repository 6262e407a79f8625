// The widget's propertyBag property: the control stored in and loaded from a form's JSON bag.
#include <QDebug>
#include <exception>

#include "control/varigauge.h"
#include "forms/json_bag.h"
#include "qt/varigauge_widget.h"

namespace vg {

QString VarigaugeWidget::propertyBag() {
  forms::JsonPropertyBag bag;
  try {
    WriteProperties(bag);
    return QString::fromStdString(bag.ToJson());
  } catch (const std::exception& e) {
    qWarning("vg::VarigaugeWidget %s: the control could not be stored: %s",
             qPrintable(objectName()), e.what());
    return {};
  }
}

void VarigaugeWidget::setPropertyBag(const QString& json) {
  bag_error_.clear();
  forms::JsonPropertyBag bag;
  try {
    bag = forms::JsonPropertyBag::FromJson(json.toStdString());
    Load(&Varigauge::Create, bag);
    return;
  } catch (const std::exception& e) {
    bag_error_ = QString::fromUtf8(e.what());
    if (!bag.last_key().empty())
      bag_error_ += QStringLiteral(" (key \"%1\")").arg(QString::fromStdString(bag.last_key()));
  }
  // Qt's property system cannot pass the error on: the widget keeps a working control.
  qWarning("vg::VarigaugeWidget %s: %s", qPrintable(objectName()), qPrintable(bag_error_));
  Place(&Varigauge::Create);
}

}  // namespace vg
