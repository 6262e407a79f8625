#pragma once
// The Varigauge entries of Designer's task menu (the context menu on a selected widget):
// "Edit Varigauge..." opens the property sheet with the control's pages, and "About
// Varigauge..." shows the control's About box.
#include <QObject>
#include <QPointer>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class QAction;

namespace vg {

class VarigaugeWidget;

class VarigaugeTaskMenu : public QObject, public QDesignerTaskMenuExtension {
  Q_OBJECT
  Q_INTERFACES(QDesignerTaskMenuExtension)

 public:
  VarigaugeTaskMenu(VarigaugeWidget* widget, QObject* parent);

  QAction* preferredEditAction() const override;
  QList<QAction*> taskActions() const override;

 private:
  void Edit();
  void About();

  QPointer<VarigaugeWidget> widget_;
  QAction* edit_;
  QAction* about_;
};

// Makes the task menu for Varigauge widgets only.
class VarigaugeTaskMenuFactory : public QExtensionFactory {
  Q_OBJECT

 public:
  explicit VarigaugeTaskMenuFactory(QExtensionManager* parent = nullptr);

 protected:
  QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

// Writes every stored property of `edited` that differs from `widget`'s into `widget`
// through its form window's cursor (Designer's undoable property edits, one undo step), or
// directly when the widget is in no form window.
void WritePropertiesThroughDesigner(VarigaugeWidget* widget, const VarigaugeWidget& edited);

}  // namespace vg
