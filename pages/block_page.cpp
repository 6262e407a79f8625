// The Block page's widgets come from block_page.ui; here they get what the form cannot
// say: the enumerations' items from the member table, the display boxes' colours, the
// colour channels gathered into arrays, and every widget's change connected to its handler.
#include "pages/block_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "control/dispids.h"
#include "pages/page_controls.h"
#include "pages/page_widgets.h"
#include "ui_block_page.h"

namespace vg {

const char* const BlockPage::kPictureFilter =
    "All (*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.emf;*.wmf)|*.bmp;*.gif;*.ico;*.jpg;*.jpeg;*.emf;*.wmf|"
    "Bitmaps (*.bmp)|*.bmp|Gifs (*.gif)|*.gif|Icons (*.ico)|*.ico|"
    "JPG-JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Metafiles (*.emf;*.wmf)|*.emf;*.wmf";

BlockPage::BlockPage(QWidget* parent)
    : PropertyPage(parent), ui_(std::make_unique<Ui::BlockPage>()) {
  setObjectName(QStringLiteral("Block"));
  ui_->setupUi(this);

  // The block number shows white on grey; the percentages, which follow from the bars, in
  // display boxes. Both are read-only in the form.
  QPalette grey = ui_->txtIndex->palette();
  grey.setColor(QPalette::Base, Qt::gray);
  grey.setColor(QPalette::Text, Qt::white);
  ui_->txtIndex->setPalette(grey);
  ShowAsDisplayBox(ui_->txtBlockHPercentage);
  ShowAsDisplayBox(ui_->txtBlockVPercentage);
  ShowAsDisplayBox(ui_->txtTextFont);

  const std::pair<QComboBox*, DISPID> lists[] = {
      {ui_->cbxFont3D, dispid::kBlockTextFont3D},
      {ui_->cbxTextAlignment, dispid::kBlockTextAlignment},
      {ui_->cbxAutoAngle, dispid::kBlockTextAutoAngle},
      {ui_->cbxShapeStyle, dispid::kBlockShapeStyle},
      {ui_->cbxBorderStyle, dispid::kBlockBorderStyle},
      {ui_->cbxBrushStyle, dispid::kBlockBrushStyle},
      {ui_->cbxGradientStyle, dispid::kBlockGradientStyle},
      {ui_->cbxGradientGranularity, dispid::kBlockGradientGranularity},
      {ui_->cbxRivetsStyle, dispid::kBlockRivetsStyle},
      {ui_->cbxPictureAlignment, dispid::kBlockPictureAlignment},
      {ui_->cbxPictureTile, dispid::kBlockPictureTile},
  };
  for (const auto& [list, member] : lists) list->addItems(EnumItems(member));

  // One row per channel in the form, the start colour's three above the end colour's:
  // label, bar and ramp. A label's tag holds the text before its value. A bar is 320 pixels
  // wide, room for its two arrows, its thumb (a sixteenth of the groove at a page step of
  // 16) and 256 pixels of travel in any usual style, so a drag reaches every value from 0
  // to 255; it takes focus and moves with the arrow keys (one) and Page Up/Down (sixteen),
  // Right and Page Up raising the value.
  hslColor = {ui_->hslColor_0, ui_->hslColor_1, ui_->hslColor_2};
  hslColorEnd = {ui_->hslColorEnd_0, ui_->hslColorEnd_1, ui_->hslColorEnd_2};
  lblColor = {ui_->lblColor_0, ui_->lblColor_1, ui_->lblColor_2};
  lblColorEnd = {ui_->lblColorEnd_0, ui_->lblColorEnd_1, ui_->lblColorEnd_2};
  pctColor = {ui_->pctColor_0, ui_->pctColor_1, ui_->pctColor_2};
  pctColorEnd = {ui_->pctColorEnd_0, ui_->pctColorEnd_1, ui_->pctColorEnd_2};
  ConnectHandlers();
}

BlockPage::~BlockPage() = default;

}  // namespace vg
