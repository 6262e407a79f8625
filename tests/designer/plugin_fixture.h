#pragma once
// The Designer plugin as Qt Designer loads it (from its file, by QPluginLoader), one form
// editor for the whole test program (the plugin registers its task menu with the first
// editor that initializes it, as it does in Designer), and the task menu's sheet driven
// while it is open.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPluginLoader>
#include <QPushButton>
#include <QTimer>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

#include "qt/property_sheet.h"

namespace vg {

inline QDesignerCustomWidgetInterface* LoadPlugin() {
  static QPluginLoader loader(QStringLiteral(VG_DESIGNER_PLUGIN));
  QObject* instance = loader.instance();
  EXPECT_NE(instance, nullptr) << loader.errorString().toStdString();
  return qobject_cast<QDesignerCustomWidgetInterface*>(instance);
}

// A form editor without Designer's user interface, holding only an extension manager.
class BareFormEditor : public QDesignerFormEditorInterface {
 public:
  BareFormEditor() { setExtensionManager(new QExtensionManager(this)); }
};

// The editor the plugin was initialized with; it lives as long as the program.
inline QDesignerFormEditorInterface& DesignerCore() {
  static auto* core = new BareFormEditor;
  if (QDesignerCustomWidgetInterface* plugin = LoadPlugin()) plugin->initialize(core);
  return *core;
}

// Runs "Edit Varigauge..." of `widget`'s task menu and lets `edit` work the sheet while it
// is open; a sheet still open afterwards is cancelled.
inline void EditInSheet(QExtensionManager* manager, QWidget* widget,
                        const std::function<void(PropertySheet&)>& edit) {
  auto* menu = qt_extension<QDesignerTaskMenuExtension*>(manager, widget);
  ASSERT_NE(menu, nullptr) << "no task menu: the plugin was not loaded or not initialized";
  bool edited = false;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* sheet = qobject_cast<PropertySheet*>(w);
      if (sheet == nullptr || !sheet->isVisible()) continue;
      edit(*sheet);
      edited = true;
      if (sheet->isVisible()) sheet->CancelButton()->click();
    }
  });
  menu->preferredEditAction()->trigger();
  ASSERT_TRUE(edited) << "the sheet did not open";
}

}  // namespace vg
