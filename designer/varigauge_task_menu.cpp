#include "designer/varigauge_task_menu.h"

#include <QMetaProperty>

#include <QAction>
#include <QPushButton>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

#include "pages/about_box.h"
#include "pages/varigauge_pages.h"
#include "qt/common_dialogs.h"
#include "qt/property_sheet.h"
#include "qt/qt_boundary_guard.h"
#include "qt/varigauge_widget.h"

namespace vg {

VarigaugeTaskMenu::VarigaugeTaskMenu(VarigaugeWidget* widget, QObject* parent)
    : QObject(parent),
      widget_(widget),
      edit_(new QAction(QStringLiteral("Edit Varigauge..."), this)),
      about_(new QAction(QStringLiteral("About Varigauge..."), this)) {
  connect(edit_, &QAction::triggered, this,
          [this] { QtGuard("Edit Varigauge", [this] { Edit(); }); });
  connect(about_, &QAction::triggered, this,
          [this] { QtGuard("About Varigauge", [this] { About(); }); });
}

QAction* VarigaugeTaskMenu::preferredEditAction() const {
  return edit_;
}

QList<QAction*> VarigaugeTaskMenu::taskActions() const {
  return {edit_, about_};
}

void VarigaugeTaskMenu::Edit() {
  if (!widget_) return;
  // The pages work on a copy of the control, so the form's widget changes only through
  // Designer's property path, which records the old bag for undo.
  VarigaugeWidget copy(nullptr, /*user_mode=*/false);
  QString written = widget_->propertyBag();
  copy.setPropertyBag(written);
  QtCommonDialogs dialogs;
  PropertySheet sheet(dialogs, widget_->window());
  sheet.SetControlName(*widget_);
  AddVarigaugePages(sheet);
  sheet.SetSelectedControls({&copy.control()});
  auto write_back = [&] {
    const QString bag = copy.propertyBag();
    if (!widget_ || bag.isEmpty() || bag == written) return;
    written = bag;
    WritePropertiesThroughDesigner(widget_, copy);
  };
  // The sheet's own Apply handler was connected first, so the copy holds the edit here.
  connect(sheet.ApplyButton(), &QAbstractButton::clicked, &sheet, write_back);
  connect(&sheet, &QDialog::accepted, &sheet, write_back);
  sheet.exec();
}

void VarigaugeTaskMenu::About() {
  ShowAboutBox(widget_ ? widget_->window() : nullptr);
}

VarigaugeTaskMenuFactory::VarigaugeTaskMenuFactory(QExtensionManager* parent)
    : QExtensionFactory(parent) {}

QObject* VarigaugeTaskMenuFactory::createExtension(QObject* object, const QString& iid,
                                                   QObject* parent) const {
  if (iid != Q_TYPEID(QDesignerTaskMenuExtension)) return nullptr;
  if (auto* widget = qobject_cast<VarigaugeWidget*>(object))
    return new VarigaugeTaskMenu(widget, parent);
  return nullptr;
}

void WritePropertiesThroughDesigner(VarigaugeWidget* widget, const VarigaugeWidget& edited) {
  // Every stored property of the control that the edit changed, as Designer's own
  // property edits: each is recorded for undo, marks the form modified and is saved.
  QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(widget);
  const QMetaObject* meta = &VarigaugeWidget::staticMetaObject;
  QList<QMetaProperty> changed;
  for (int i = 0; i < meta->propertyCount(); ++i) {
    const QMetaProperty p = meta->property(i);
    const bool own = i >= meta->propertyOffset() || qstrcmp(p.name(), "font") == 0 ||
                     qstrcmp(p.name(), "enabled") == 0;
    // The picture goes as pictureData (Designer edits a pixmap property as a file path).
    if (!own || !p.isWritable() || !p.isStored() || qstrcmp(p.name(), "picture") == 0 ||
        qstrcmp(p.name(), "propertyBag") == 0)
      continue;
    if (p.read(widget) != p.read(&edited)) changed.push_back(p);
  }
  if (changed.isEmpty()) return;
  if (form) form->beginCommand(QStringLiteral("Edit Varigauge"));
  for (const QMetaProperty& p : changed) {
    if (form)
      form->cursor()->setWidgetProperty(widget, QString::fromLatin1(p.name()), p.read(&edited));
    else
      p.write(widget, p.read(&edited));
  }
  if (form) form->endCommand();
}

}  // namespace vg
