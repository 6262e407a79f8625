// Per-block properties and the SetBlock functions.
#include <type_traits>
#include <utility>

#include "control/varigauge.h"
#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"

namespace vg {

const BlockRecord& Varigauge::Block(const Variant& iBlock) const {
  return blocks_.At(blocks_.Resolve(iBlock, state_.index_block));
}

// Every setter resolves the selector first (error 9 or 6 before anything else), converts
// the value to the record's width (a Long into a 16-bit field: error 6), stores and
// redraws.
template <class Field, class V>
void Varigauge::StoreBlockField(Field BlockRecord::*field, const Variant& iBlock, V v) {
  BlockRecord& record = Block(iBlock);
  if constexpr (std::is_same_v<Field, int16_t> && std::is_same_v<V, int32_t>)
    record.*field = CheckedInteger(v);
  else
    record.*field = std::move(v);
  Draw();
}

std::string Varigauge::get_BlockKey(const Variant& iBlock) const {
  return Block(iBlock).Key;
}
// A key only names the block: nothing new to draw.
void Varigauge::put_BlockKey(const Variant& iBlock, std::string v) {
  Block(iBlock).Key = std::move(v);
}
int16_t Varigauge::get_BlockBarLeft(const Variant& iBlock) const {
  return Block(iBlock).BarLeft;
}
void Varigauge::put_BlockBarLeft(const Variant& iBlock, int16_t v) {
  StoreBlockField(&BlockRecord::BarLeft, iBlock, std::move(v));
}
int16_t Varigauge::get_BlockBarRight(const Variant& iBlock) const {
  return Block(iBlock).BarRight;
}
void Varigauge::put_BlockBarRight(const Variant& iBlock, int16_t v) {
  StoreBlockField(&BlockRecord::BarRight, iBlock, std::move(v));
}
int16_t Varigauge::get_BlockBarTop(const Variant& iBlock) const {
  return Block(iBlock).BarTop;
}
void Varigauge::put_BlockBarTop(const Variant& iBlock, int16_t v) {
  StoreBlockField(&BlockRecord::BarTop, iBlock, std::move(v));
}
int16_t Varigauge::get_BlockBarBottom(const Variant& iBlock) const {
  return Block(iBlock).BarBottom;
}
void Varigauge::put_BlockBarBottom(const Variant& iBlock, int16_t v) {
  StoreBlockField(&BlockRecord::BarBottom, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockBorderStyle(const Variant& iBlock) const {
  return Block(iBlock).BorderStyle;
}
void Varigauge::put_BlockBorderStyle(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::BorderStyle, iBlock, std::move(v));
}
int16_t Varigauge::get_BlockBorderWidth(const Variant& iBlock) const {
  return Block(iBlock).BorderWidth;
}
void Varigauge::put_BlockBorderWidth(const Variant& iBlock, int16_t v) {
  StoreBlockField(&BlockRecord::BorderWidth, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockShapeStyle(const Variant& iBlock) const {
  return Block(iBlock).ShapeStyle;
}
void Varigauge::put_BlockShapeStyle(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::ShapeStyle, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockBrushStyle(const Variant& iBlock) const {
  return Block(iBlock).BrushStyle;
}
void Varigauge::put_BlockBrushStyle(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::BrushStyle, iBlock, std::move(v));
}
OLE_COLOR Varigauge::get_BlockBrushColor(const Variant& iBlock) const {
  return Block(iBlock).BrushColor;
}
void Varigauge::put_BlockBrushColor(const Variant& iBlock, OLE_COLOR v) {
  StoreBlockField(&BlockRecord::BrushColor, iBlock, std::move(v));
}
bool Varigauge::get_BlockVisible(const Variant& iBlock) const {
  return Block(iBlock).Visible;
}
void Varigauge::put_BlockVisible(const Variant& iBlock, bool v) {
  StoreBlockField(&BlockRecord::Visible, iBlock, std::move(v));
}
std::string Varigauge::get_BlockHPercentage(const Variant& iBlock) const {
  return Block(iBlock).HPercentage;
}
void Varigauge::put_BlockHPercentage(const Variant& iBlock, std::string v) {
  StoreBlockField(&BlockRecord::HPercentage, iBlock, std::move(v));
}
std::string Varigauge::get_BlockVPercentage(const Variant& iBlock) const {
  return Block(iBlock).VPercentage;
}
void Varigauge::put_BlockVPercentage(const Variant& iBlock, std::string v) {
  StoreBlockField(&BlockRecord::VPercentage, iBlock, std::move(v));
}
bool Varigauge::get_BlockOnTop(const Variant& iBlock) const {
  return Block(iBlock).OnTop;
}
void Varigauge::put_BlockOnTop(const Variant& iBlock, bool v) {
  StoreBlockField(&BlockRecord::OnTop, iBlock, std::move(v));
}
OLE_COLOR Varigauge::get_BlockColor(const Variant& iBlock) const {
  return Block(iBlock).Color;
}
void Varigauge::put_BlockColor(const Variant& iBlock, OLE_COLOR v) {
  StoreBlockField(&BlockRecord::Color, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockGradientStyle(const Variant& iBlock) const {
  return Block(iBlock).GradientStyle;
}
void Varigauge::put_BlockGradientStyle(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::GradientStyle, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockGradientGranularity(const Variant& iBlock) const {
  return Block(iBlock).GradientGranularity;
}
void Varigauge::put_BlockGradientGranularity(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::GradientGranularity, iBlock, std::move(v));
}
OLE_COLOR Varigauge::get_BlockGradientColor(const Variant& iBlock) const {
  return Block(iBlock).GradientColor;
}
void Varigauge::put_BlockGradientColor(const Variant& iBlock, OLE_COLOR v) {
  StoreBlockField(&BlockRecord::GradientColor, iBlock, std::move(v));
}
OLE_COLOR Varigauge::get_BlockGradientColorEnd(const Variant& iBlock) const {
  return Block(iBlock).GradientColorEnd;
}
void Varigauge::put_BlockGradientColorEnd(const Variant& iBlock, OLE_COLOR v) {
  StoreBlockField(&BlockRecord::GradientColorEnd, iBlock, std::move(v));
}
std::string Varigauge::get_BlockText(const Variant& iBlock) const {
  return Block(iBlock).Text;
}
void Varigauge::put_BlockText(const Variant& iBlock, std::string v) {
  StoreBlockField(&BlockRecord::Text, iBlock, std::move(v));
}
OLE_COLOR Varigauge::get_BlockTextColor(const Variant& iBlock) const {
  return Block(iBlock).TextColor;
}
void Varigauge::put_BlockTextColor(const Variant& iBlock, OLE_COLOR v) {
  StoreBlockField(&BlockRecord::TextColor, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockTextAlignment(const Variant& iBlock) const {
  return Block(iBlock).TextAlignment;
}
void Varigauge::put_BlockTextAlignment(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::TextAlignment, iBlock, std::move(v));
}
StdFontRef Varigauge::get_BlockTextFont(const Variant& iBlock) const {
  return Block(iBlock).TextFont;
}
void Varigauge::put_BlockTextFont(const Variant& iBlock, StdFontRef v) {
  StoreBlockField(&BlockRecord::TextFont, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockTextFont3D(const Variant& iBlock) const {
  return Block(iBlock).TextFont3D;
}
void Varigauge::put_BlockTextFont3D(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::TextFont3D, iBlock, std::move(v));
}
int16_t Varigauge::get_BlockTextOffset(const Variant& iBlock) const {
  return Block(iBlock).TextOffset;
}
void Varigauge::put_BlockTextOffset(const Variant& iBlock, int16_t v) {
  StoreBlockField(&BlockRecord::TextOffset, iBlock, std::move(v));
}
int16_t Varigauge::get_BlockTextAngle(const Variant& iBlock) const {
  return Block(iBlock).TextAngle;
}
void Varigauge::put_BlockTextAngle(const Variant& iBlock, int16_t v) {
  StoreBlockField(&BlockRecord::TextAngle, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockTextAutoAngle(const Variant& iBlock) const {
  return Block(iBlock).TextAutoAngle;
}
void Varigauge::put_BlockTextAutoAngle(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::TextAutoAngle, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockRivetsStyle(const Variant& iBlock) const {
  return Block(iBlock).RivetsStyle;
}
void Varigauge::put_BlockRivetsStyle(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::RivetsStyle, iBlock, std::move(v));
}
StdPictureRef Varigauge::get_BlockPicture(const Variant& iBlock) const {
  return Block(iBlock).Picture;
}
void Varigauge::putref_BlockPicture(const Variant& iBlock, StdPictureRef v) {
  StoreBlockField(&BlockRecord::Picture, iBlock, std::move(v));
}
int16_t Varigauge::get_BlockPictureOffset(const Variant& iBlock) const {
  return Block(iBlock).PictureOffset;
}
void Varigauge::put_BlockPictureOffset(const Variant& iBlock, int16_t v) {
  StoreBlockField(&BlockRecord::PictureOffset, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockPictureAlignment(const Variant& iBlock) const {
  return Block(iBlock).PictureAlignment;
}
void Varigauge::put_BlockPictureAlignment(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::PictureAlignment, iBlock, std::move(v));
}
int32_t Varigauge::get_BlockPictureTile(const Variant& iBlock) const {
  return Block(iBlock).PictureTile;
}
void Varigauge::put_BlockPictureTile(const Variant& iBlock, int32_t v) {
  StoreBlockField(&BlockRecord::PictureTile, iBlock, std::move(v));
}
bool Varigauge::get_BlockClickable(const Variant& iBlock) const {
  return Block(iBlock).Clickable;
}
void Varigauge::put_BlockClickable(const Variant& iBlock, bool v) {
  StoreBlockField(&BlockRecord::Clickable, iBlock, std::move(v));
}
bool Varigauge::get_BlockAutoSize(const Variant& iBlock) const {
  return Block(iBlock).AutoSize;
}
void Varigauge::put_BlockAutoSize(const Variant& iBlock, bool v) {
  StoreBlockField(&BlockRecord::AutoSize, iBlock, std::move(v));
}

template <class Set>
void Varigauge::SetEveryBlock(Set set, bool notify) {
  for (int32_t i = 1; i <= blocks_.count(); ++i) set(blocks_.At(i));
  if (notify) host_.PropertyChanged("Block");
  Draw();
}

void Varigauge::SetBlockShapeStyle(int32_t v) {
  SetEveryBlock([&](BlockRecord& r) { r.ShapeStyle = CheckedInteger(v); }, true);
}
void Varigauge::SetBlockBorderStyle(int32_t v) {
  SetEveryBlock([&](BlockRecord& r) { r.BorderStyle = CheckedInteger(v); }, true);
}
void Varigauge::SetBlockTextOffset(const Variant& v) {
  SetEveryBlock([&](BlockRecord& r) { r.TextOffset = ToInteger(v); }, true);
}
void Varigauge::SetBlockTextAngle(const Variant& v) {
  SetEveryBlock([&](BlockRecord& r) { r.TextAngle = ToInteger(v); }, true);
}
void Varigauge::SetBlockTextAutoAngle(const Variant& v) {
  SetEveryBlock([&](BlockRecord& r) { r.TextAutoAngle = ToInteger(v); }, true);
}
void Varigauge::SetBlockTextColor(OLE_COLOR v) {
  SetEveryBlock([&](BlockRecord& r) { r.TextColor = v; }, true);
}
void Varigauge::SetBlockBrushColor(OLE_COLOR v) {
  SetEveryBlock([&](BlockRecord& r) { r.BrushColor = v; }, true);
}
void Varigauge::SetBlockBrushStyle(int32_t v) {
  SetEveryBlock([&](BlockRecord& r) { r.BrushStyle = CheckedInteger(v); }, true);
}
void Varigauge::SetBlockColor(OLE_COLOR v) {
  SetEveryBlock([&](BlockRecord& r) { r.Color = v; }, true);
}

namespace {
int16_t TwipsToPixels(int16_t twips, int16_t twips_per_pixel) {
  if (twips_per_pixel == 0) Raise(err::kDivisionByZero);  // never placed: no screen measure
  return static_cast<int16_t>(twips / twips_per_pixel);
}
}  // namespace

void Varigauge::SetBlockBarTop(int16_t v) {
  SetEveryBlock([&](BlockRecord& r) { r.BarTop = TwipsToPixels(v, twips_per_pixel_y_); }, true);
}
void Varigauge::SetBlockBarBottom(int16_t v) {
  SetEveryBlock([&](BlockRecord& r) { r.BarBottom = TwipsToPixels(v, twips_per_pixel_y_); }, true);
}
void Varigauge::SetBlockVisible(bool v) {
  SetEveryBlock([&](BlockRecord& r) { r.Visible = v; }, true);
}
void Varigauge::SetBlockClickable(bool v) {
  SetEveryBlock([&](BlockRecord& r) { r.Clickable = v; }, true);
}
void Varigauge::SetBlockAutoSize(bool v) {
  SetEveryBlock([&](BlockRecord& r) { r.AutoSize = v; }, true);
}
void Varigauge::SetBlockRivetsStyle(int32_t v) {
  SetEveryBlock([&](BlockRecord& r) { r.RivetsStyle = CheckedInteger(v); }, true);
}
void Varigauge::SetBlockPicture(StdPictureRef v) {
  SetEveryBlock([&](BlockRecord& r) { r.Picture = v; }, true);
}
void Varigauge::SetBlockText(const std::string& v) {
  SetEveryBlock([&](BlockRecord& r) { r.Text = v; }, true);
}
void Varigauge::SetBlockTextAlignment(int32_t v) {
  SetEveryBlock([&](BlockRecord& r) { r.TextAlignment = CheckedInteger(v); }, false);
}
void Varigauge::SetBlockGradientStyle(int32_t v) {
  SetEveryBlock([&](BlockRecord& r) { r.GradientStyle = CheckedInteger(v); }, false);
}
void Varigauge::SetBlockGradientGranularity(int32_t v) {
  SetEveryBlock([&](BlockRecord& r) { r.GradientGranularity = CheckedInteger(v); }, false);
}
void Varigauge::SetBlockGradientColor(OLE_COLOR v) {
  SetEveryBlock([&](BlockRecord& r) { r.GradientColor = v; }, false);
}
void Varigauge::SetBlockGradientColorEnd(OLE_COLOR v) {
  SetEveryBlock([&](BlockRecord& r) { r.GradientColorEnd = v; }, false);
}

}  // namespace vg
