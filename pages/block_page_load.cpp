// The Block page's loading, navigation and showing of one block.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <algorithm>
#include <utility>

#include "control/dispids.h"
#include "control/members.h"
#include "control/varigauge.h"
#include "pages/block_page.h"
#include "pages/page_controls.h"
#include "pages/page_widgets.h"
#include "surface/color_ramp.h"
#include "ui_block_page.h"

namespace vg {
namespace {

QString Number(int v) {
  return QString::number(v);
}

}  // namespace

void BlockPage::PropertyPage_Initialize() {
  SetColorDepth(ui_->pctResult->Box());
  bLoaded = false;
}

// The control's block count as the page handles it: 0..255.
static int PageBlockCount(const Varigauge& c) {
  int n = c.get_Blocks();
  return n < 0 ? 0 : (n > BlockPage::kMaxBlocks ? BlockPage::kMaxBlocks : n);
}

void BlockPage::PropertyPage_SelectionChanged() {
  Varigauge* c = Control();
  if (c == nullptr) return;
  if (!bLoaded) {
    int n = PageBlockCount(*c);
    ui_->HScroll1->SetMinimum(1);
    ui_->HScroll1->SetMaximum(n);
    if (n > 0) {
      iCurrentBlock = 1;
      ui_->txtIndex->setText(QStringLiteral("1"));
      aPageBlocks.assign(n, PageBlock{});
      for (int i = 1; i <= n; ++i) {
        aPageBlocks[i - 1].bModified = false;
        ReadBlock(i, aPageBlocks[i - 1]);
      }
    } else {
      ui_->txtIndex->setText(QString());
      ui_->SSTab1->setEnabled(false);
      aPageBlocks.assign(1, PageBlock{});
    }
    bLoaded = true;
  }
  ShowCurrentBlock();
  ui_->HScroll1->setValue(iCurrentBlock);
}

std::span<const MemberRow* const> BlockPage::Fields() {
  static const std::vector<const MemberRow*> fields = [] {
    std::vector<const MemberRow*> v;
    for (const MemberRow& row : Members())
      if (row.Has(kBlockField)) v.push_back(&row);
    // The page takes three fields out of the member order: the brush colour before the
    // brush style, the shape style and then the visibility after OnTop.
    constexpr std::pair<DISPID, DISPID> kPlacedAfter[] = {
        {dispid::kBlockBrushColor, dispid::kBlockBorderWidth},
        {dispid::kBlockShapeStyle, dispid::kBlockOnTop},
        {dispid::kBlockVisible, dispid::kBlockShapeStyle}};
    auto at = [&v](DISPID id) { return std::ranges::find(v, id, &MemberRow::id); };
    for (auto [field, after] : kPlacedAfter) {
      const MemberRow* row = *at(field);
      v.erase(at(field));
      v.insert(at(after) + 1, row);
    }
    return v;
  }();
  return fields;
}

void BlockPage::ReadBlock(int i, PageBlock& b) const {
  Varigauge& c = *Control();
  const Variant k = Variant::Integer(static_cast<int16_t>(i));
  // Fonts and pictures come as references: the working copy shares the control's objects.
  for (const MemberRow* row : Fields())
    row->access.store_field(b, row->access.get(c, *row, Args(&k, 1)));
}

void BlockPage::HScroll1_Change() {
  Varigauge* c = Control();
  if (c != nullptr && c->get_Blocks() > 0) {
    iCurrentBlock = static_cast<int16_t>(ui_->HScroll1->value());
    ui_->txtIndex->setText(Number(iCurrentBlock));
    if (bLoaded) ShowCurrentBlock();
  } else {
    ui_->txtIndex->setText(QString());
  }
}

void BlockPage::ShowCurrentBlock() {
  if (iCurrentBlock <= 0 || iCurrentBlock > static_cast<int>(aPageBlocks.size())) return;
  b().bModified = false;
  // Each put runs the widget's handler when the value differs, which stores it back into
  // the block being shown. The values are copied first, as those handlers change b().
  const PageBlock v = b();
  ui_->cbxFont3D->setCurrentIndex(v.TextFont3D);
  ui_->cbxAutoAngle->setCurrentIndex(v.TextAutoAngle);
  ui_->txtBlockTextAngle->setText(Number(v.TextAngle));
  ui_->txtBlockTextOffset->setText(Number(v.TextOffset));
  ui_->txtBlockText->setText(QString::fromStdString(v.Text));
  ui_->chkBlockOnTop->setChecked(v.OnTop);
  ui_->txtBlockHPercentage->setText(QString::fromStdString(v.HPercentage));
  ui_->txtBlockVPercentage->setText(QString::fromStdString(v.VPercentage));
  ui_->chkBlockVisible->setChecked(v.Visible);
  ui_->txtBlockBarBottom->setText(Number(v.BarBottom));
  ui_->txtBlockBarTop->setText(Number(v.BarTop));
  ui_->txtBlockBarRight->setText(Number(v.BarRight));
  ui_->txtBlockBarLeft->setText(Number(v.BarLeft));
  ui_->txtBlockKey->setText(QString::fromStdString(v.Key));
  ui_->cbxBorderStyle->setCurrentIndex(v.BorderStyle);
  ui_->txtBlockBorderWidth->setText(Number(v.BorderWidth));
  ui_->cbxShapeStyle->setCurrentIndex(v.ShapeStyle);
  ui_->cbxBrushStyle->setCurrentIndex(v.BrushStyle);
  ui_->cbxTextAlignment->setCurrentIndex(v.TextAlignment);
  SetSampleColor(ui_->txtTextColor, v.TextColor, false);
  ui_->txtTextFont->setText(v.TextFont ? QString::fromStdString(v.TextFont->Name()) : QString());
  SetSampleColor(ui_->txtColor, v.Color, true);
  SetSampleColor(ui_->txtBrushColor, v.BrushColor, true);
  ui_->cbxGradientStyle->setCurrentIndex(v.GradientStyle);
  ui_->cbxGradientGranularity->setCurrentIndex(v.GradientGranularity);
  ui_->cbxRivetsStyle->setCurrentIndex(v.RivetsStyle);
  ShowPicture(v.Picture);
  ui_->txtBlockPictureOffset->setText(Number(v.PictureOffset));
  ui_->cbxPictureAlignment->setCurrentIndex(v.PictureAlignment);
  ui_->cbxPictureTile->setCurrentIndex(v.PictureTile);
  ui_->chkBlockClickable->setChecked(v.Clickable);
  ui_->chkBlockAutoSize->setChecked(v.AutoSize);
  ShowChannels();
  RefreshPreviews();
}

}  // namespace vg
