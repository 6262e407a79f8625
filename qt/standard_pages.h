#pragma once
// The host's two standard pages: Font (the control's Font) and Color (BackColor, ForeColor
// and the control's other colour properties). Both read the control when the selection is
// set and write on Apply only what the user chose.
#include <map>
#include <string>

#include "platform/automation/ole_color.h"
#include "qt/common_dialogs.h"
#include "qt/property_page.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vg {

class StandardFontPage : public PropertyPage {
  Q_OBJECT

 public:
  explicit StandardFontPage(QWidget* parent = nullptr);
  QString Caption() const override { return tr("&Font"); }
  void PropertyPage_SelectionChanged() override;
  void PropertyPage_ApplyChanges() override;

 private:
  void cmdFont_Click();

  QLineEdit* txtFont;
  QPushButton* cmdFont;
  FontChoice font_;
};

class StandardColorPage : public PropertyPage {
  Q_OBJECT

 public:
  explicit StandardColorPage(QWidget* parent = nullptr);
  QString Caption() const override { return tr("C&olor"); }
  void PropertyPage_SelectionChanged() override;
  void PropertyPage_ApplyChanges() override;

 private:
  void ShowSample();
  void cmdColor_Click();

  QComboBox* cbxProperty;
  QLineEdit* txtSample;
  QPushButton* cmdColor;
  std::map<std::string, OLE_COLOR> colors_;  // as read, by property name
  std::map<std::string, OLE_COLOR> chosen_;  // what the user picked
};

}  // namespace vg
