#include "pages/caption_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "control/dispids.h"
#include "control/varigauge.h"
#include "pages/page_numbers.h"
#include "pages/page_widgets.h"
#include "platform/automation/conversions.h"

namespace vg {

CaptionPage::CaptionPage(QWidget* parent) : PropertyPage(parent) {
  setObjectName(QStringLiteral("Caption"));
  txtCaption = MakeTextBox(this, "txtCaption");
  txtCaptionFont = MakeDisplayBox(this, "txtCaptionFont");
  cmdFontSelection = MakeButton(this, "cmdFontSelection", QStringLiteral("..."));
  cbxCaptionFont3D = MakeList(this, "cbxCaptionFont3D", EnumItems(dispid::kCaptionFont3D));
  cbxCaptionAlignment = MakeList(this, "cbxCaptionAlignment", EnumItems(dispid::kCaptionAlignment));
  txtCaptionAngle = MakeTextBox(this, "txtCaptionAngle");
  cbxCaptionAutoAngle = MakeList(this, "cbxCaptionAutoAngle", EnumItems(dispid::kCaptionAutoAngle));

  auto* form = new QFormLayout(this);
  AddRow(form, tr("&Caption:"), txtCaption);
  auto* font_row = new QHBoxLayout;
  font_row->addWidget(txtCaptionFont);
  font_row->addWidget(cmdFontSelection);
  auto* font_label = new QLabel(tr("&Font:"));
  font_label->setBuddy(cmdFontSelection);
  form->addRow(font_label, font_row);
  AddRow(form, tr("&Font 3D:"), cbxCaptionFont3D);
  AddRow(form, tr("&Alignment:"), cbxCaptionAlignment);
  AddRow(form, tr("&Angle:"), txtCaptionAngle);
  AddRow(form, tr("&Auto Angle:"), cbxCaptionAutoAngle);

  connect(txtCaption, &QLineEdit::textChanged, this, &CaptionPage::MarkChanged);
  connect(txtCaptionAngle, &QLineEdit::textChanged, this, &CaptionPage::MarkChanged);
  for (QComboBox* list : {cbxCaptionAlignment, cbxCaptionAutoAngle, cbxCaptionFont3D})
    connect(list, &QComboBox::currentIndexChanged, this, &CaptionPage::MarkChanged);
  connect(cmdFontSelection, &QPushButton::clicked, this, &CaptionPage::cmdFontSelection_Click);
}

void CaptionPage::PropertyPage_SelectionChanged() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  StdFontRef font = c->get_Font();
  if (font) {
    dialog_font_ = FontChoiceOf(*font);
  }
  txtCaption->setText(QString::fromStdString(c->get_Caption()));
  txtCaptionFont->setText(font ? QString::fromStdString(font->Name()) : QString());
  cbxCaptionFont3D->setCurrentIndex(c->get_CaptionFont3D());
  cbxCaptionAlignment->setCurrentIndex(c->get_CaptionAlignment());
  txtCaptionAngle->setText(QString::number(c->get_CaptionAngle()));
  cbxCaptionAutoAngle->setCurrentIndex(c->get_CaptionAutoAngle());
}

void CaptionPage::cmdFontSelection_Click() {
  std::optional<FontChoice> chosen = Dialogs().ChooseFont(this, dialog_font_);
  if (!chosen) return;
  dialog_font_ = *chosen;
  // The chosen font reaches the control only on Apply; until then the box names the
  // control's current font.
  Varigauge* c = Control();
  StdFontRef font = c != nullptr ? c->get_Font() : nullptr;
  txtCaptionFont->setText(font ? QString::fromStdString(font->Name()) : QString());
  SetChanged(true);
}

void CaptionPage::PropertyPage_ApplyChanges() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  c->put_Caption(txtCaption->text().toStdString());
  if (StdFontRef font = c->get_Font()) ApplyFontChoice(dialog_font_, *font);
  c->put_CaptionFont3D(cbxCaptionFont3D->currentIndex());
  c->put_CaptionAlignment(cbxCaptionAlignment->currentIndex());
  // Passed as a double: the control's Integer conversion rounds halves to even and
  // refuses what does not fit (error 6).
  c->put_CaptionAngle(
      ToInteger(Variant::Double(LeadingNumber(txtCaptionAngle->text().toStdString()))));
  c->put_CaptionAutoAngle(cbxCaptionAutoAngle->currentIndex());
}

}  // namespace vg
