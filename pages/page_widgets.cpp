#include "pages/page_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <string>

#include "control/type_library.h"
#include "platform/automation/ole_color.h"

namespace vg {

QLineEdit* MakeTextBox(QWidget* parent, const char* name) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QLatin1String(name));
  return box;
}

QLineEdit* MakeDisplayBox(QWidget* parent, const char* name) {
  QLineEdit* box = MakeTextBox(parent, name);
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, QColor(0xE0, 0xE0, 0xE0));
  box->setPalette(palette);
  return box;
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QLatin1String(name));
  list->addItems(items);
  return list;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(QLatin1String(name));
  return check;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

void AddRow(QFormLayout* form, const QString& caption, QWidget* field) {
  auto* label = new QLabel(caption);
  label->setBuddy(field);
  form->addRow(label, field);
}

void SetSampleColor(QLineEdit* sample, uint32_t color, bool background) {
  COLORREF rgb = 0;
  OleTranslateColor(color, 0, &rgb);
  QPalette palette = sample->palette();
  palette.setColor(background ? QPalette::Base : QPalette::Text,
                   QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
  sample->setPalette(palette);
}

QStringList EnumItems(DISPID member) {
  const MemberRow* row = FindMember(member);
  const EnumType* type = row != nullptr ? FindEnumeration(row->type_name) : nullptr;
  if (type == nullptr) return {};
  size_t width = 0;
  for (const EnumConstant& k : type->constants)
    width = std::max(width, std::to_string(k.value).size());
  QStringList items;
  for (const EnumConstant& k : type->constants) {
    const std::string value = std::to_string(k.value);
    items << QString::fromStdString(value + " - " + std::string(width - value.size(), ' ') +
                                    std::string(k.name));
  }
  return items;
}

}  // namespace vg
