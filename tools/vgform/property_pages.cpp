#include "tools/vgform/property_pages.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <cstdio>

#include "forms/ui_form.h"
#include "pages/varigauge_pages.h"
#include "qt/common_dialogs.h"
#include "qt/form_runtime.h"
#include "qt/property_page.h"
#include "qt/property_sheet.h"
#include "qt/varigauge_widget.h"

namespace vg {
namespace {

// A tab's caption as part of a file name: "Pre&view" gives "preview", "C&olor" "color".
QString Slug(QString caption) {
  caption.remove(QLatin1Char('&'));
  caption = caption.toLower();
  static const QRegularExpression other(QStringLiteral("[^a-z0-9]+"));
  caption.replace(other, QStringLiteral("-"));
  while (caption.startsWith(QLatin1Char('-'))) caption.remove(0, 1);
  while (caption.endsWith(QLatin1Char('-'))) caption.chop(1);
  return caption;
}

// The tab controls directly inside `page`: none other lies between them and the page.
QList<QTabWidget*> TabsDirectlyIn(QWidget* page) {
  QList<QTabWidget*> found;
  for (QTabWidget* tabs : page->findChildren<QTabWidget*>()) {
    QWidget* up = tabs->parentWidget();
    while (up != page && qobject_cast<QTabWidget*>(up) == nullptr) up = up->parentWidget();
    if (up == page) found.append(tabs);
  }
  return found;
}

// Writes the sheet's picture once for every leaf tab below a page, each tab brought to the
// front first, named after the path of captions leading to it.
class PageCamera {
 public:
  PageCamera(QWidget* window, const QDir& dir) : window_(window), dir_(dir) {}

  bool Shoot(QWidget* page, const QString& name) {
    const QList<QTabWidget*> nested = TabsDirectlyIn(page);
    if (nested.isEmpty()) return Save(name);
    for (QTabWidget* tabs : nested) {
      for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        if (!Shoot(tabs->widget(i), name + QLatin1Char('-') + Slug(tabs->tabText(i)))) return false;
      }
    }
    return true;
  }

 private:
  bool Save(const QString& name) {
    QApplication::processEvents();  // the layout and paints of the tab just raised
    const QString path = dir_.filePath(name + QStringLiteral(".png"));
    if (!window_->grab().save(path, "PNG")) {
      std::fprintf(stderr, "vgform: cannot write %s\n", qPrintable(path));
      return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
  }

  QWidget* window_;
  QDir dir_;
};

}  // namespace

int RunPropertyPages(Form& form, const QString& control, const QString& screenshot_dir) {
  const forms::ControlRef ref = forms::ParseControlRef(control.trimmed().toStdString());
  VarigaugeWidget* widget =
      form.control<VarigaugeWidget>(QString::fromStdString(ref.name), static_cast<int>(ref.index));
  if (widget == nullptr) {
    std::fprintf(stderr, "vgform: the form has no Varigauge control %s\n", qPrintable(control));
    return 2;
  }
  QDir dir(screenshot_dir);
  if (!screenshot_dir.isEmpty() && !dir.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "vgform: cannot create the folder %s\n", qPrintable(screenshot_dir));
    return 2;
  }

  // As in Designer: the pages edit a design-time copy of the control (ambient UserMode
  // false), and the form's control takes the copy's bag on Apply.
  VarigaugeWidget copy(nullptr, /*user_mode=*/false);
  copy.setPropertyBag(widget->propertyBag());
  QtCommonDialogs dialogs;
  PropertySheet sheet(dialogs, screenshot_dir.isEmpty() ? form.window() : nullptr);
  sheet.SetControlName(*widget);
  AddVarigaugePages(sheet);
  sheet.SetSelectedControls({&copy.control()});

  if (screenshot_dir.isEmpty()) {
    auto write_back = [&] { widget->setPropertyBag(copy.propertyBag()); };
    QObject::connect(sheet.ApplyButton(), &QAbstractButton::clicked, &sheet, write_back);
    QObject::connect(&sheet, &QDialog::accepted, &sheet, write_back);
    form.window()->show();
    sheet.exec();
    return QApplication::exec();
  }

  sheet.show();
  PageCamera camera(&sheet, dir);
  for (int i = 0; i < sheet.PageCount(); ++i) {
    sheet.Tabs()->setCurrentIndex(i);
    const QString file = QStringLiteral("%1-%2")
                             .arg(i + 1, 2, 10, QLatin1Char('0'))
                             .arg(Slug(sheet.Page(i)->Caption()));
    if (!camera.Shoot(sheet.Page(i), file)) return 2;
  }
  return 0;
}

}  // namespace vg
