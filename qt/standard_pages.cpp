#include "qt/standard_pages.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "control/varigauge.h"

namespace vg {
namespace {

// The control's colour properties, as the colour page lists them.
struct ColorProperty {
  const char* name;
  OLE_COLOR (Varigauge::*get)() const;
  void (Varigauge::*put)(OLE_COLOR);
};

const ColorProperty kColors[] = {
    {"BackColor", &Varigauge::get_BackColor, &Varigauge::put_BackColor},
    {"BrushColor", &Varigauge::get_BrushColor, &Varigauge::put_BrushColor},
    {"DisabledColor", &Varigauge::get_DisabledColor, &Varigauge::put_DisabledColor},
    {"ForeColor", &Varigauge::get_ForeColor, &Varigauge::put_ForeColor},
    {"GradientColor", &Varigauge::get_GradientColor, &Varigauge::put_GradientColor},
    {"GradientColorEnd", &Varigauge::get_GradientColorEnd, &Varigauge::put_GradientColorEnd},
};

QLineEdit* Named(QLineEdit* w, const char* name) {
  w->setObjectName(QLatin1String(name));
  return w;
}

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QLatin1String(name));
  return b;
}

}  // namespace

StandardFontPage::StandardFontPage(QWidget* parent) : PropertyPage(parent) {
  setObjectName(QStringLiteral("StandardFont"));
  txtFont = Named(new QLineEdit(this), "txtFont");
  txtFont->setReadOnly(true);
  cmdFont = NamedButton(this, "cmdFont", QStringLiteral("..."));
  auto* form = new QFormLayout(this);
  auto* row = new QHBoxLayout;
  row->addWidget(txtFont);
  row->addWidget(cmdFont);
  // The caption leads the keyboard to the button; its letter is free on the sheet.
  auto* caption = new QLabel(tr("Fo&nt:"));
  caption->setBuddy(cmdFont);
  form->addRow(caption, row);
  connect(cmdFont, &QPushButton::clicked, this, &StandardFontPage::cmdFont_Click);
}

void StandardFontPage::PropertyPage_SelectionChanged() {
  Varigauge* c = Control();
  StdFontRef font = c != nullptr ? c->get_Font() : nullptr;
  if (!font) return;
  font_ = FontChoiceOf(*font);
  txtFont->setText(QString::fromStdString(font_.name));
}

void StandardFontPage::cmdFont_Click() {
  std::optional<FontChoice> chosen = Dialogs().ChooseFont(this, font_);
  if (!chosen) return;
  font_ = *chosen;
  txtFont->setText(QString::fromStdString(font_.name));
  SetChanged(true);
}

void StandardFontPage::PropertyPage_ApplyChanges() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  // A new font object, so the control hears of the change and redraws once.
  StdFontRef current = c->get_Font();
  StdFontRef font = current ? current->Clone() : StdFont::Create();
  ApplyFontChoice(font_, *font);
  c->putref_Font(font);
}

StandardColorPage::StandardColorPage(QWidget* parent) : PropertyPage(parent) {
  setObjectName(QStringLiteral("StandardColor"));
  cbxProperty = new QComboBox(this);
  cbxProperty->setObjectName(QStringLiteral("cbxProperty"));
  for (const ColorProperty& p : kColors) cbxProperty->addItem(QLatin1String(p.name));
  txtSample = Named(new QLineEdit(this), "txtSample");
  txtSample->setReadOnly(true);
  cmdColor = NamedButton(this, "cmdColor", QStringLiteral("..."));
  auto* form = new QFormLayout(this);
  form->addRow(tr("&Property:"), cbxProperty);
  auto* row = new QHBoxLayout;
  row->addWidget(txtSample);
  row->addWidget(cmdColor);
  auto* caption = new QLabel(tr("Colo&r:"));
  caption->setBuddy(cmdColor);
  form->addRow(caption, row);
  connect(cbxProperty, &QComboBox::currentIndexChanged, this, &StandardColorPage::ShowSample);
  connect(cmdColor, &QPushButton::clicked, this, &StandardColorPage::cmdColor_Click);
}

void StandardColorPage::PropertyPage_SelectionChanged() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  colors_.clear();
  chosen_.clear();
  for (const ColorProperty& p : kColors) colors_[p.name] = (c->*p.get)();
  ShowSample();
}

void StandardColorPage::ShowSample() {
  std::string name = cbxProperty->currentText().toStdString();
  auto it = chosen_.find(name);
  OLE_COLOR color = it != chosen_.end() ? it->second : colors_[name];
  COLORREF rgb = 0;
  OleTranslateColor(color, 0, &rgb);
  QPalette palette = txtSample->palette();
  palette.setColor(QPalette::Base, QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
  txtSample->setPalette(palette);
  txtSample->setText(QStringLiteral("&H%1&").arg(color, 8, 16, QLatin1Char('0')).toUpper());
}

void StandardColorPage::cmdColor_Click() {
  std::string name = cbxProperty->currentText().toStdString();
  auto it = chosen_.find(name);
  OLE_COLOR start = it != chosen_.end() ? it->second : colors_[name];
  std::optional<OLE_COLOR> color = Dialogs().ChooseColor(this, start);
  if (!color) return;
  chosen_[name] = *color;
  ShowSample();
  SetChanged(true);
}

void StandardColorPage::PropertyPage_ApplyChanges() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  for (const ColorProperty& p : kColors) {
    auto it = chosen_.find(p.name);
    if (it != chosen_.end()) (c->*p.put)(it->second);
  }
  for (const auto& [name, color] : chosen_) colors_[name] = color;
  chosen_.clear();
}

}  // namespace vg
