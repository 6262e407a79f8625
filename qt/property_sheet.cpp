#include "qt/property_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/automation/errors.h"
#include "qt/common_dialogs.h"
#include "qt/property_page.h"
#include "qt/reading_order.h"

namespace vg {

void PropertyPage::SetChanged(bool changed) {
  changed_ = changed;
  emit changedSet(changed);
}

PropertySheet::PropertySheet(CommonDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), tabs_(new QTabWidget(this)) {
  setModal(true);
  setWindowTitle(tr("Property Pages"));
  tabs_->setObjectName(QStringLiteral("tabPages"));
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QDialogButtonBox::Ok);
  cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
  apply_ = buttons->addButton(QDialogButtonBox::Apply);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  cancel_->setObjectName(QStringLiteral("cmdCancel"));
  apply_->setObjectName(QStringLiteral("cmdApply"));
  apply_->setEnabled(false);
  // Neither the button box nor the page tabs are stops of their own: Tab goes to their
  // buttons and to the tab bar.
  for (QWidget* box : {static_cast<QWidget*>(buttons), static_cast<QWidget*>(tabs_)}) {
    box->setFocusProxy(nullptr);
    box->setFocusPolicy(Qt::NoFocus);
  }
  connect(ok_, &QPushButton::clicked, this, &PropertySheet::accept);
  connect(cancel_, &QPushButton::clicked, this, &PropertySheet::reject);
  connect(apply_, &QPushButton::clicked, this, [this] { Apply(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
  layout->addWidget(buttons);
  // Choosing a page (by its tab, its mnemonic or Ctrl+Tab) puts the keyboard on its first
  // field, as when the sheet opens.
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (QWidget* first = FirstTabField(tabs_->widget(index))) first->setFocus(Qt::TabFocusReason);
  });
}

PropertySheet::~PropertySheet() = default;

void PropertySheet::AddPage(PropertyPage* page) {
  page->SetDialogs(dialogs_);
  tabs_->addTab(page, page->Caption());
  // Tab runs through the page's fields in reading order, then OK, Cancel and Apply, then the
  // page tabs. A page added after the buttons would otherwise follow them.
  QWidget* last = SetReadingTabOrder(page);
  setTabOrder(last, ok_);
  setTabOrder(ok_, cancel_);
  setTabOrder(cancel_, apply_);
  if (tabs_->count() == 1)
    if (QWidget* first = FirstTabField(page)) first->setFocus(Qt::TabFocusReason);
  connect(page, &PropertyPage::changedSet, this, &PropertySheet::UpdateApply);
  page->PropertyPage_Initialize();
}

void PropertySheet::SetSelectedControls(const std::vector<Varigauge*>& selected) {
  for (int i = 0; i < PageCount(); ++i) {
    Page(i)->SetSelectedControls(selected);
    Page(i)->PropertyPage_SelectionChanged();
  }
}

void PropertySheet::SetControlName(const QString& name) {
  setWindowTitle(name.isEmpty() ? tr("Property Pages") : tr("%1 Properties").arg(name));
}

void PropertySheet::SetControlName(const QObject& control) {
  const QVariant array = control.property("controlArray");
  if (array.isValid() && !array.toString().isEmpty())
    SetControlName(QStringLiteral("%1(%2)")
                       .arg(array.toString())
                       .arg(control.property("controlArrayIndex").toInt()));
  else
    SetControlName(control.objectName());
}

PropertyPage* PropertySheet::Page(int index) const {
  return static_cast<PropertyPage*>(tabs_->widget(index));
}

int PropertySheet::PageCount() const {
  return tabs_->count();
}

bool PropertySheet::Apply() {
  for (int i = 0; i < PageCount(); ++i) {
    PropertyPage* page = Page(i);
    if (!page->Changed() || page->Control() == nullptr) continue;
    try {
      page->PropertyPage_ApplyChanges();
    } catch (const AutomationError& e) {
      // The page stays changed, so the user can correct the value and apply again.
      tabs_->setCurrentIndex(i);
      dialogs_.ReportError(this, e.what());
      return false;
    }
    page->SetChanged(false);
  }
  return true;
}

void PropertySheet::accept() {
  if (Apply()) QDialog::accept();
}

void PropertySheet::UpdateApply() {
  bool any = false;
  for (int i = 0; i < PageCount(); ++i) any = any || Page(i)->Changed();
  apply_->setEnabled(any);
}

}  // namespace vg
