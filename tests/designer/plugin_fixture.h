#pragma once
// The Designer plugin as Qt Designer loads it (from its file, by QPluginLoader), and one
// form editor for the whole test program: the plugin registers its task menu with the first
// editor that initializes it, as it does in Designer.
#include <gtest/gtest.h>

#include <QPluginLoader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

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

}  // namespace vg
