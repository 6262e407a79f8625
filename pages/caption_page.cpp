#include "pages/caption_page.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "control/dispids.h"
#include "control/varigauge.h"
#include "pages/page_numbers.h"
#include "pages/page_widgets.h"
#include "platform/automation/conversions.h"
#include "ui_caption_page.h"

namespace vg {

CaptionPage::CaptionPage(QWidget* parent)
    : PropertyPage(parent), ui_(std::make_unique<Ui::CaptionPage>()) {
  setObjectName(QStringLiteral("Caption"));
  ui_->setupUi(this);
  ShowAsDisplayBox(ui_->txtCaptionFont);
  ui_->cbxCaptionFont3D->addItems(EnumItems(dispid::kCaptionFont3D));
  ui_->cbxCaptionAlignment->addItems(EnumItems(dispid::kCaptionAlignment));
  ui_->cbxCaptionAutoAngle->addItems(EnumItems(dispid::kCaptionAutoAngle));

  connect(ui_->txtCaption, &QLineEdit::textChanged, this, &CaptionPage::MarkChanged);
  connect(ui_->txtCaptionAngle, &QLineEdit::textChanged, this, &CaptionPage::MarkChanged);
  for (QComboBox* list :
       {ui_->cbxCaptionAlignment, ui_->cbxCaptionAutoAngle, ui_->cbxCaptionFont3D})
    connect(list, &QComboBox::currentIndexChanged, this, &CaptionPage::MarkChanged);
  connect(ui_->cmdFontSelection, &QPushButton::clicked, this, &CaptionPage::cmdFontSelection_Click);
}

CaptionPage::~CaptionPage() = default;

void CaptionPage::PropertyPage_SelectionChanged() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  StdFontRef font = c->get_Font();
  if (font) {
    dialog_font_ = FontChoiceOf(*font);
  }
  ui_->txtCaption->setText(QString::fromStdString(c->get_Caption()));
  ui_->txtCaptionFont->setText(font ? QString::fromStdString(font->Name()) : QString());
  ui_->cbxCaptionFont3D->setCurrentIndex(c->get_CaptionFont3D());
  ui_->cbxCaptionAlignment->setCurrentIndex(c->get_CaptionAlignment());
  ui_->txtCaptionAngle->setText(QString::number(c->get_CaptionAngle()));
  ui_->cbxCaptionAutoAngle->setCurrentIndex(c->get_CaptionAutoAngle());
}

void CaptionPage::cmdFontSelection_Click() {
  std::optional<FontChoice> chosen = Dialogs().ChooseFont(this, dialog_font_);
  if (!chosen) return;
  dialog_font_ = *chosen;
  // The chosen font reaches the control only on Apply; until then the box names the
  // control's current font.
  Varigauge* c = Control();
  StdFontRef font = c != nullptr ? c->get_Font() : nullptr;
  ui_->txtCaptionFont->setText(font ? QString::fromStdString(font->Name()) : QString());
  SetChanged(true);
}

void CaptionPage::PropertyPage_ApplyChanges() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  c->put_Caption(ui_->txtCaption->text().toStdString());
  if (StdFontRef font = c->get_Font()) ApplyFontChoice(dialog_font_, *font);
  c->put_CaptionFont3D(ui_->cbxCaptionFont3D->currentIndex());
  c->put_CaptionAlignment(ui_->cbxCaptionAlignment->currentIndex());
  // Passed as a double: the control's Integer conversion rounds halves to even and
  // refuses what does not fit (error 6).
  c->put_CaptionAngle(
      ToInteger(Variant::Double(LeadingNumber(ui_->txtCaptionAngle->text().toStdString()))));
  c->put_CaptionAutoAngle(ui_->cbxCaptionAutoAngle->currentIndex());
}

}  // namespace vg
