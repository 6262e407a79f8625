#include "designer/varigauge_plugin.h"

#include <QIcon>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

#include "designer/varigauge_icon.h"
#include "designer/varigauge_task_menu.h"
#include "qt/qt_boundary_guard.h"
#include "qt/varigauge_widget.h"

namespace vg {

VarigaugeDesignerPlugin::VarigaugeDesignerPlugin(QObject* parent) : QObject(parent) {}

QString VarigaugeDesignerPlugin::name() const {
  return QStringLiteral("vg::VarigaugeWidget");
}

QString VarigaugeDesignerPlugin::group() const {
  return QStringLiteral("Varigauge");
}

QString VarigaugeDesignerPlugin::toolTip() const {
  return QStringLiteral("Varigauge");
}

QString VarigaugeDesignerPlugin::whatsThis() const {
  return QStringLiteral("A multi-purpose bar made of blocks");
}

QString VarigaugeDesignerPlugin::includeFile() const {
  return QStringLiteral("qt/varigauge_widget.h");
}

QIcon VarigaugeDesignerPlugin::icon() const {
  return MakeVarigaugeIcon();
}

bool VarigaugeDesignerPlugin::isContainer() const {
  return false;
}

QString VarigaugeDesignerPlugin::domXml() const {
  // A new instance carries the bag of a new control's defaults as a set property, so
  // Designer stores it in the form even when nothing is edited.
  const QString bag = VarigaugeWidget(nullptr, /*user_mode=*/false).propertyBag();
  return QStringLiteral(
             "<ui language=\"c++\">\n"
             " <widget class=\"vg::VarigaugeWidget\" name=\"varigauge\">\n"
             "  <property name=\"geometry\">\n"
             "   <rect><x>0</x><y>0</y><width>60</width><height>21</height></rect>\n"
             "  </property>\n"
             "  <property name=\"propertyBag\">\n"
             "   <string notr=\"true\">%1</string>\n"
             "  </property>\n"
             " </widget>\n"
             " <customwidgets>\n"
             "  <customwidget>\n"
             "   <class>vg::VarigaugeWidget</class>\n"
             "   <header>qt/varigauge_widget.h</header>\n"
             "   <propertyspecifications>\n"
             "    <stringpropertyspecification name=\"propertyBag\" notr=\"true\" "
             "type=\"multiline\"/>\n"
             "   </propertyspecifications>\n"
             "  </customwidget>\n"
             " </customwidgets>\n"
             "</ui>\n")
      .arg(bag.toHtmlEscaped());
}

bool VarigaugeDesignerPlugin::isInitialized() const {
  return initialized_;
}

void VarigaugeDesignerPlugin::initialize(QDesignerFormEditorInterface* core) {
  if (initialized_) return;
  if (QExtensionManager* manager = core ? core->extensionManager() : nullptr) {
    manager->registerExtensions(new VarigaugeTaskMenuFactory(manager),
                                Q_TYPEID(QDesignerTaskMenuExtension));
  }
  initialized_ = true;
}

QWidget* VarigaugeDesignerPlugin::createWidget(QWidget* parent) {
  return QtGuardOr<QWidget*>("createWidget", nullptr,
                             [&] { return new VarigaugeWidget(parent, false); });
}

}  // namespace vg
