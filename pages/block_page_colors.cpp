// The Block page's gradient colour pickers: three channel bars per colour with their
// labels, a ramp per channel and the block's own gradient.
#include <QLabel>
#include <QScrollBar>

#include "pages/block_page.h"
#include "pages/page_controls.h"
#include "ui_block_page.h"

namespace vg {
namespace {

int Channel(OLE_COLOR color, int k) {
  return static_cast<int>((color >> (8 * k)) & 0xFF);
}

void ShowValue(QLabel* label, int value) {
  label->setText(label->property("tag").toString() + QString::number(value));
}

}  // namespace

void BlockPage::ShowChannels() {
  // The bars follow the block; only the user's moves write back into it.
  setting_channels_ = true;
  for (int k = 0; k < 3; ++k) {
    hslColor[k]->setValue(Channel(b().GradientColor, k));
    hslColorEnd[k]->setValue(Channel(b().GradientColorEnd, k));
  }
  setting_channels_ = false;
  for (int k = 0; k < 3; ++k) {
    ShowValue(lblColor[k], hslColor[k]->value());
    ShowValue(lblColorEnd[k], hslColorEnd[k]->value());
  }
}

void BlockPage::hslColor_Change(int k, bool end) {
  if (setting_channels_ || iCurrentBlock == 0) return;
  auto& bars = end ? hslColorEnd : hslColor;
  ShowValue((end ? lblColorEnd : lblColor)[k], bars[k]->value());
  OLE_COLOR color =
      static_cast<OLE_COLOR>(bars[0]->value() + 256 * bars[1]->value() + 65536 * bars[2]->value());
  (end ? b().GradientColorEnd : b().GradientColor) = color;
  PaintChannel(k, end);
  pctResult_Paint();
  Mark();
}

void BlockPage::PaintChannel(int k, bool end) {
  if (iCurrentBlock == 0 || k < 0 || k > 2) return;
  OLE_COLOR v = static_cast<OLE_COLOR>((end ? hslColorEnd : hslColor)[k]->value());
  OLE_COLOR channel = v << (8 * k);  // pure red, green or blue
  (end ? pctColorEnd : pctColor)[k]->PaintRamp(
      {b().GradientStyle, b().GradientGranularity, channel, 0});
}

void BlockPage::pctResult_Paint() {
  if (iCurrentBlock == 0) return;
  ui_->pctResult->PaintRamp(
      {b().GradientStyle, b().GradientGranularity, b().GradientColor, b().GradientColorEnd});
}

void BlockPage::RefreshPreviews() {
  if (iCurrentBlock != 0 && b().GradientStyle != 0) {
    for (int k = 0; k < 3; ++k) PaintChannel(k, false);
    for (int k = 0; k < 3; ++k) PaintChannel(k, true);
    pctResult_Paint();
    return;
  }
  for (int k = 0; k < 3; ++k) {
    pctColor[k]->Clear();
    pctColorEnd[k]->Clear();
  }
  ui_->pctResult->Clear();
}

}  // namespace vg
