#pragma once
// The Designer plugin: describes the Varigauge widget to Qt Designer (name, group, header,
// the DOM XML a new instance starts from) and makes design-time instances of it.
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace vg {

class VarigaugeDesignerPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QDesignerCustomWidgetInterface_iid)
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  explicit VarigaugeDesignerPlugin(QObject* parent = nullptr);

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override;
  QString domXml() const override;
  bool isInitialized() const override;
  // Registers the task-menu extension with the form editor's extension manager.
  void initialize(QDesignerFormEditorInterface* core) override;
  // A new control with its defaults, in design mode (ambient UserMode false).
  QWidget* createWidget(QWidget* parent) override;

 private:
  static void MarkStoredProperties(QDesignerFormEditorInterface* core, QWidget* widget);
  bool initialized_ = false;
  bool in_designer_ = false;
  QDesignerFormEditorInterface* core_ = nullptr;  // initialised by a form editor
};

}  // namespace vg
