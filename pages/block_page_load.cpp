// The Block page's loading, navigation and showing of one block.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include "control/varigauge.h"
#include "pages/block_page.h"
#include "pages/page_controls.h"
#include "pages/page_widgets.h"
#include "surface/color_ramp.h"

namespace vg {
namespace {

QString Number(int v) {
  return QString::number(v);
}

}  // namespace

void BlockPage::PropertyPage_Initialize() {
  SetColorDepth(pctResult->Box());
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
    HScroll1->SetMinimum(1);
    HScroll1->SetMaximum(n);
    if (n > 0) {
      iCurrentBlock = 1;
      txtIndex->setText(QStringLiteral("1"));
      aPageBlocks.assign(n, PageBlock{});
      for (int i = 1; i <= n; ++i) {
        aPageBlocks[i - 1].bModified = false;
        ReadBlock(i, aPageBlocks[i - 1]);
      }
    } else {
      txtIndex->setText(QString());
      SSTab1->setEnabled(false);
      aPageBlocks.assign(1, PageBlock{});
    }
    bLoaded = true;
  }
  ShowCurrentBlock();
  HScroll1->setValue(iCurrentBlock);
}

void BlockPage::ReadBlock(int i, PageBlock& b) const {
  const Varigauge& c = *Control();
  Variant k = Variant::Integer(static_cast<int16_t>(i));
  b.Key = c.get_BlockKey(k);
  b.BarLeft = c.get_BlockBarLeft(k);
  b.BarRight = c.get_BlockBarRight(k);
  b.BarTop = c.get_BlockBarTop(k);
  b.BarBottom = c.get_BlockBarBottom(k);
  b.BorderStyle = static_cast<int16_t>(c.get_BlockBorderStyle(k));
  b.BorderWidth = c.get_BlockBorderWidth(k);
  b.BrushColor = c.get_BlockBrushColor(k);
  b.BrushStyle = static_cast<int16_t>(c.get_BlockBrushStyle(k));
  b.HPercentage = c.get_BlockHPercentage(k);
  b.VPercentage = c.get_BlockVPercentage(k);
  b.OnTop = c.get_BlockOnTop(k);
  b.ShapeStyle = static_cast<int16_t>(c.get_BlockShapeStyle(k));
  b.Visible = c.get_BlockVisible(k);
  b.Color = c.get_BlockColor(k);
  b.GradientStyle = static_cast<int16_t>(c.get_BlockGradientStyle(k));
  b.GradientGranularity = static_cast<int16_t>(c.get_BlockGradientGranularity(k));
  b.GradientColor = c.get_BlockGradientColor(k);
  b.GradientColorEnd = c.get_BlockGradientColorEnd(k);
  b.Text = c.get_BlockText(k);
  b.TextColor = c.get_BlockTextColor(k);
  b.TextAlignment = static_cast<int16_t>(c.get_BlockTextAlignment(k));
  b.TextFont = c.get_BlockTextFont(k);  // the control's object, shared
  b.TextFont3D = static_cast<int16_t>(c.get_BlockTextFont3D(k));
  b.TextOffset = c.get_BlockTextOffset(k);
  b.TextAngle = c.get_BlockTextAngle(k);
  b.TextAutoAngle = static_cast<int16_t>(c.get_BlockTextAutoAngle(k));
  b.RivetsStyle = static_cast<int16_t>(c.get_BlockRivetsStyle(k));
  b.Picture = c.get_BlockPicture(k);
  b.PictureOffset = c.get_BlockPictureOffset(k);
  b.PictureAlignment = static_cast<int16_t>(c.get_BlockPictureAlignment(k));
  b.PictureTile = static_cast<int16_t>(c.get_BlockPictureTile(k));
  b.Clickable = c.get_BlockClickable(k);
  b.AutoSize = c.get_BlockAutoSize(k);
}

void BlockPage::HScroll1_Change() {
  Varigauge* c = Control();
  if (c != nullptr && c->get_Blocks() > 0) {
    iCurrentBlock = static_cast<int16_t>(HScroll1->value());
    txtIndex->setText(Number(iCurrentBlock));
    if (bLoaded) ShowCurrentBlock();
  } else {
    txtIndex->setText(QString());
  }
}

void BlockPage::ShowCurrentBlock() {
  if (iCurrentBlock <= 0 || iCurrentBlock > static_cast<int>(aPageBlocks.size())) return;
  b().bModified = false;
  // Each put runs the widget's handler when the value differs, which stores it back into
  // the block being shown. The values are copied first, as those handlers change b().
  const PageBlock v = b();
  cbxFont3D->setCurrentIndex(v.TextFont3D);
  cbxAutoAngle->setCurrentIndex(v.TextAutoAngle);
  txtBlockTextAngle->setText(Number(v.TextAngle));
  txtBlockTextOffset->setText(Number(v.TextOffset));
  txtBlockText->setText(QString::fromStdString(v.Text));
  chkBlockOnTop->setChecked(v.OnTop);
  txtBlockHPercentage->setText(QString::fromStdString(v.HPercentage));
  txtBlockVPercentage->setText(QString::fromStdString(v.VPercentage));
  chkBlockVisible->setChecked(v.Visible);
  txtBlockBarBottom->setText(Number(v.BarBottom));
  txtBlockBarTop->setText(Number(v.BarTop));
  txtBlockBarRight->setText(Number(v.BarRight));
  txtBlockBarLeft->setText(Number(v.BarLeft));
  txtBlockKey->setText(QString::fromStdString(v.Key));
  cbxBorderStyle->setCurrentIndex(v.BorderStyle);
  txtBlockBorderWidth->setText(Number(v.BorderWidth));
  cbxShapeStyle->setCurrentIndex(v.ShapeStyle);
  cbxBrushStyle->setCurrentIndex(v.BrushStyle);
  cbxTextAlignment->setCurrentIndex(v.TextAlignment);
  SetSampleColor(txtTextColor, v.TextColor, false);
  txtTextFont->setText(v.TextFont ? QString::fromStdString(v.TextFont->Name()) : QString());
  SetSampleColor(txtColor, v.Color, true);
  SetSampleColor(txtBrushColor, v.BrushColor, true);
  cbxGradientStyle->setCurrentIndex(v.GradientStyle);
  cbxGradientGranularity->setCurrentIndex(v.GradientGranularity);
  cbxRivetsStyle->setCurrentIndex(v.RivetsStyle);
  ShowPicture(v.Picture);
  txtBlockPictureOffset->setText(Number(v.PictureOffset));
  cbxPictureAlignment->setCurrentIndex(v.PictureAlignment);
  cbxPictureTile->setCurrentIndex(v.PictureTile);
  chkBlockClickable->setChecked(v.Clickable);
  chkBlockAutoSize->setChecked(v.AutoSize);
  ShowChannels();
  RefreshPreviews();
}

}  // namespace vg
