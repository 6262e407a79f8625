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
  // A new instance carries the block table of a new control as a set property, so that
  // Designer stores it (and keeps storing it) although its editor does not show it; the
  // form-only texts are stored untranslated.
  const QString blocks = VarigaugeWidget(nullptr, /*user_mode=*/false).blocks();
  const QSize size = VarigaugeWidget(nullptr, /*user_mode=*/false).sizeHint();
  return QStringLiteral(
             "<ui language=\"c++\">\n"
             " <widget class=\"vg::VarigaugeWidget\" name=\"varigauge\">\n"
             "  <property name=\"geometry\">\n"
             "   <rect><x>0</x><y>0</y><width>%2</width><height>%3</height></rect>\n"
             "  </property>\n"
             "  <property name=\"blocks\">\n"
             "   <string notr=\"true\">%1</string>\n"
             "  </property>\n"
             " </widget>\n"
             " <customwidgets>\n"
             "  <customwidget>\n"
             "   <class>vg::VarigaugeWidget</class>\n"
             "   <header>qt/varigauge_widget.h</header>\n"
             "   <propertyspecifications>\n"
             "    <stringpropertyspecification name=\"blocks\" notr=\"true\" "
             "type=\"singleline\"/>\n"
             "    <stringpropertyspecification name=\"systemColors\" notr=\"true\" "
             "type=\"singleline\"/>\n"
             "    <stringpropertyspecification name=\"pictureData\" notr=\"true\" "
             "type=\"singleline\"/>\n"
             "   </propertyspecifications>\n"
             "  </customwidget>\n"
             " </customwidgets>\n"
             "</ui>\n")
      .arg(blocks.toHtmlEscaped())
      .arg(size.width())
      .arg(size.height());
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
  in_designer_ = core != nullptr;
}

QWidget* VarigaugeDesignerPlugin::createWidget(QWidget* parent) {
  // Design mode is for Qt Designer's form editor only; a loader that merely uses the
  // plugin to make widgets (QUiLoader, QFormBuilder) gets running controls.
  return QtGuardOr<QWidget*>("createWidget", nullptr, [&] {
    return new VarigaugeWidget(parent, /*user_mode=*/!in_designer_);
  });
}

}  // namespace vg
