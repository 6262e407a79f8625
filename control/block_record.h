#pragma once
// One block of the control: its place on the value scales and everything it draws.
// Fields keep their declared order and widths: Integers and enumerations are 16-bit,
// colours 32-bit. A default-constructed record is zero-filled (all numbers 0, Booleans
// false, texts empty, no font or picture), as the table creates its records; NewBlock()
// gives the values AddBlock gives.
#include <cstdint>
#include <string>

#include "platform/automation/ole_color.h"
#include "platform/automation/std_font.h"
#include "platform/automation/std_picture.h"

namespace vg {

struct BlockRecord {
  bool bModified = false;  // edit mark of the Block page's working copies; unused here
  std::string Key;
  int16_t BarLeft = 0;
  int16_t BarRight = 0;
  int16_t BarTop = 0;
  int16_t BarBottom = 0;
  int16_t BorderStyle = 0;
  int16_t BorderWidth = 0;
  int16_t ShapeStyle = 0;
  int16_t BrushStyle = 0;
  OLE_COLOR BrushColor = 0;
  bool Visible = false;
  std::string HPercentage;
  std::string VPercentage;
  bool OnTop = false;
  OLE_COLOR Color = 0;
  int16_t GradientStyle = 0;
  int16_t GradientGranularity = 0;
  OLE_COLOR GradientColor = 0;
  OLE_COLOR GradientColorEnd = 0;
  std::string Text;
  OLE_COLOR TextColor = 0;
  int16_t TextAlignment = 0;
  StdFontRef TextFont;
  int16_t TextFont3D = 0;
  int16_t TextOffset = 0;
  int16_t TextAngle = 0;
  int16_t TextAutoAngle = 0;
  int16_t RivetsStyle = 0;
  StdPictureRef Picture;
  int16_t PictureOffset = 0;
  int16_t PictureAlignment = 0;
  int16_t PictureTile = 0;
  bool Clickable = false;
  bool AutoSize = false;

  // The values of a newly added block, with `font` as its text font. Its bars are -1 on
  // the horizontal scale, so it is not drawn until they are set.
  static BlockRecord NewBlock(StdFontRef font);
};

}  // namespace vg
