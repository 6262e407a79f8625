#include "control/block_record.h"

namespace vg {

BlockRecord BlockRecord::NewBlock(StdFontRef font) {
  BlockRecord r;
  r.BarLeft = -1;
  r.BarRight = -1;
  r.BarTop = 100;
  r.BarBottom = 0;
  r.BorderWidth = 1;
  r.Visible = true;
  r.HPercentage = "0";
  r.VPercentage = "0";
  r.Color = 0x808080;
  r.GradientColor = 0xFF0000;
  r.TextFont = std::move(font);
  r.TextOffset = 3;
  r.PictureOffset = 3;
  r.Clickable = true;
  r.AutoSize = true;
  return r;
}

}  // namespace vg
