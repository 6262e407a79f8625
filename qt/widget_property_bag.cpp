// The widget's stored-form properties beside the typed ones: the block table (blocks), the
// colours and picture the typed properties cannot hold (systemColors, pictureData), and an
// older form's propertyBag.
#include <QDebug>
#include <QStringList>
#include <exception>
#include <pugixml.hpp>

#include "control/dispids.h"
#include "control/varigauge.h"
#include "forms/designer_properties.h"
#include "forms/form_error.h"
#include "forms/json_bag.h"
#include "platform/base/numeric.h"
#include "platform/host/headless_host.h"
#include "qt/varigauge_widget.h"

namespace vg {
namespace {

// The control's settings as a form would store them; an empty bag when they cannot be.
forms::JsonPropertyBag StoredBag(VarigaugeWidget& w) {
  forms::JsonPropertyBag bag;
  if (w.host().control()) w.WithStoredBlocks([&] { w.host().WriteProperties(bag); });
  return bag;
}

// The first key, in stored order, with which the settings cannot be loaded: the key being
// read when reading fails, or the key whose value the first drawing cannot take (an
// error the render pass raises after every key has been read). Found by loading ever
// longer beginnings of the bag into a control of its own; empty when every one loads.
std::string FailingKey(const forms::JsonPropertyBag& bag) {
  forms::JsonPropertyBag beginning;
  for (const auto& [key, value] : bag.entries()) {
    beginning.Put(key, value);
    forms::JsonPropertyBag trial = beginning;
    try {
      HeadlessHost host({.width_px = 120, .height_px = 30, .user_mode = false});
      host.Load(&Varigauge::Create, trial);
    } catch (const std::exception&) {
      return key;
    }
  }
  return {};
}

}  // namespace

QString VarigaugeWidget::blocks() const {
  if (!kept_blocks_.isNull()) return kept_blocks_;
  try {
    return QString::fromStdString(
        forms::BlocksJson(StoredBag(const_cast<VarigaugeWidget&>(*this))));
  } catch (const std::exception&) {
    return QStringLiteral("[]");
  }
}

void VarigaugeWidget::setBlocks(const QString& json) {
  bag_error_.clear();
  if (!HostBase::control()) return;
  try {
    forms::JsonPropertyBag bag;
    forms::ReadBlocksJson(json.toStdString(), bag);
    control().ReadBlockTable(bag);
    kept_blocks_.clear();
    update();
    return;
  } catch (const forms::BagError& e) {
    bag_error_ = QString::fromUtf8(e.what());
  } catch (const AutomationError& e) {
    bag_error_ = QStringLiteral("blocks: error %1: %2")
                     .arg(e.number())
                     .arg(QString::fromStdString(e.description()));
  }
  // The blocks stay as they were, and the refused text is what a save writes back.
  kept_blocks_ = json.isNull() ? QStringLiteral("") : json;
  ReportError("blocks", err::kInvalidPropertyValue, bag_error_);
  update();
}

QString VarigaugeWidget::systemColors() const {
  try {
    return QString::fromStdString(
        forms::SystemColorsJson(StoredBag(const_cast<VarigaugeWidget&>(*this))));
  } catch (const std::exception&) {
    return {};
  }
}

void VarigaugeWidget::setSystemColors(const QString& json) {
  forms::JsonPropertyBag bag;
  try {
    forms::ReadSystemColorsJson(json.toStdString(), bag);
  } catch (const forms::BagError& e) {
    ReportError("systemColors", err::kInvalidPropertyValue, QString::fromUtf8(e.what()));
    return;
  }
  for (const auto& [key, value] : bag.entries())
    if (const MemberRow* row = FindMember(key)) StoreMember(row->id, value);
}

QString VarigaugeWidget::pictureData() const {
  try {
    return QString::fromStdString(
        forms::PictureJson(StoredBag(const_cast<VarigaugeWidget&>(*this))));
  } catch (const std::exception&) {
    return {};
  }
}

void VarigaugeWidget::setPictureData(const QString& json) {
  forms::JsonPropertyBag bag;
  try {
    forms::ReadPictureJson(json.toStdString(), bag);
  } catch (const forms::BagError& e) {
    ReportError("pictureData", err::kInvalidPicture, QString::fromUtf8(e.what()));
    return;
  }
  const Variant* picture = bag.Get("Picture");
  StoreMember(dispid::kPicture, picture ? *picture : Variant::Nothing());
}

QString VarigaugeWidget::propertyBag() {
  if (!kept_bag_.isNull()) return kept_bag_;
  forms::JsonPropertyBag bag;
  try {
    SyncPendingSize();
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
    // A bag without a size keeps the widget's (a form's geometry may come first).
    const double r = Ratio();
    if (!bag.Contains("Width"))
      bag.Put("Width", Variant::Long(RoundToInt32(width() * r * TwipsPerPixelX())));
    if (!bag.Contains("Height"))
      bag.Put("Height", Variant::Long(RoundToInt32(height() * r * TwipsPerPixelY())));
    // Busy mode moves a block of the control being replaced: it ends first.
    setBusy(false);
    Load(&Varigauge::Create, bag);
    kept_bag_.clear();
    ShowControlFont();
    CheckValue();
    update();
    return;
  } catch (const std::exception& e) {
    bag_error_ = QString::fromUtf8(e.what());
    std::string key = FailingKey(bag);
    if (key.empty()) key = bag.last_key();
    if (!key.empty())
      bag_error_ += QStringLiteral(" (key \"%1\")").arg(QString::fromStdString(key));
  }
  // Qt's property system cannot pass the error on: the widget keeps a working control.
  ReportError("propertyBag", err::kInvalidPropertyValue, bag_error_);
  Place(&Varigauge::Create);
  // The stored text stays what a save writes back, not the defaults just placed.
  kept_bag_ = json.isNull() ? QStringLiteral("") : json;
  update();
}

QStringList VarigaugeWidget::storedProperties() const {
  if (!kept_bag_.isNull()) return {QStringLiteral("propertyBag")};
  QStringList names;
  try {
    // The properties the form writer puts in a widget element for these settings.
    pugi::xml_document doc;
    pugi::xml_node widget = doc.append_child("widget");
    forms::WidgetFromBag(StoredBag(const_cast<VarigaugeWidget&>(*this)), widget);
    for (pugi::xml_node p : widget.children("property"))
      names << QString::fromUtf8(p.attribute("name").value());
  } catch (const std::exception& e) {
    qWarning("vg::VarigaugeWidget %s: the control could not be stored: %s",
             qPrintable(objectName()), e.what());
  }
  if (!kept_blocks_.isNull() && !names.contains(QStringLiteral("blocks")))
    names << QStringLiteral("blocks");
  // Busy mode is kept only when it is on (the block it moves is stored as it was before).
  if (busy()) names << QStringLiteral("busy");
  return names;
}

}  // namespace vg
