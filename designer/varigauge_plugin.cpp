#include "designer/varigauge_plugin.h"

#include <QIcon>
#include <QTimer>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
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
  core_ = core;
}

void VarigaugeDesignerPlugin::MarkStoredProperties(QDesignerFormEditorInterface* core,
                                                   QWidget* widget) {
  auto* gauge = qobject_cast<VarigaugeWidget*>(widget);
  auto* sheet =
      gauge ? qt_extension<QDesignerPropertySheetExtension*>(core->extensionManager(), gauge)
            : nullptr;
  if (!sheet) return;
  QtGuard("marking stored properties", [&] {
    const QStringList names = gauge->storedProperties();
    for (const QString& name : names) {
      const int i = sheet->indexOf(name);
      if (i >= 0) sheet->setChanged(i, true);
    }
    const int bag = sheet->indexOf(QStringLiteral("propertyBag"));
    if (bag >= 0) sheet->setChanged(bag, names.contains(QStringLiteral("propertyBag")));
  });
}

QWidget* VarigaugeDesignerPlugin::createWidget(QWidget* parent) {
  // Design mode is for Qt Designer's form editor only; a loader that merely uses the
  // plugin to make widgets (QUiLoader, QFormBuilder) gets running controls.
  auto* widget = QtGuardOr<QWidget*>("createWidget", nullptr, [&] {
    return new VarigaugeWidget(parent, /*user_mode=*/!in_designer_);
  });
  // Designer saves a property its sheet marks as changed, and marks those the form set.
  // Once the form has set them (the next event-loop round), a control loaded from an older
  // form's propertyBag has its settings marked in the properties that now store them, so
  // saving writes the new form; a bag that failed to load stays marked and is saved as it
  // was, so a failed load loses nothing.
  if (widget && core_) {
    QDesignerFormEditorInterface* core = core_;
    QTimer::singleShot(0, widget, [core, widget] { MarkStoredProperties(core, widget); });
  }
  return widget;
}

}  // namespace vg
