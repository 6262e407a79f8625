#pragma once
// The Caption page: the control's caption text, font, embossing, alignment, angle and
// automatic angle. It keeps no working copy: every showing reads the control, every Apply
// writes all eleven values. The font being edited lives in the font dialog's settings
// between showing and Apply.
#include "qt/common_dialogs.h"
#include "qt/property_page.h"

#include <memory>

namespace Ui {
class CaptionPage;
}

namespace vg {

class CaptionPage : public PropertyPage {
  Q_OBJECT

 public:
  explicit CaptionPage(QWidget* parent = nullptr);
  ~CaptionPage() override;

  QString Caption() const override { return tr("&Caption"); }
  void PropertyPage_SelectionChanged() override;
  void PropertyPage_ApplyChanges() override;

  // The font dialog's settings: what Apply gives the control's font.
  const FontChoice& DialogFont() const { return dialog_font_; }

 private:
  void cmdFontSelection_Click();
  void MarkChanged() { SetChanged(true); }

  // The page's widgets, made from caption_page.ui.
  std::unique_ptr<Ui::CaptionPage> ui_;
  FontChoice dialog_font_;
};

}  // namespace vg
