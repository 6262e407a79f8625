// Per-block properties and the SetBlock functions.
#include <string_view>
#include <type_traits>

#include "control/varigauge.h"
#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"

namespace vg {

const BlockRecord& Varigauge::Block(const Variant& iBlock) const {
  return blocks_.At(blocks_.Resolve(iBlock, state_.index_block));
}

namespace {

// How each kind of field crosses the interface.
template <class Type, class Field>
Type Read(const Field& f) {
  return static_cast<Type>(f);
}
template <class Type, class Field>
Field Write(const Type& v) {
  if constexpr (std::is_same_v<Field, int16_t> && std::is_same_v<Type, int32_t>)
    return CheckedInteger(v);  // a Long into a 16-bit field
  else
    return v;
}

}  // namespace

// Every setter resolves the selector first (error 9 or 6 before anything else), converts
// the value to the record's width (error 6), stores and redraws; writing a key only names
// the block and draws nothing new.
#define VG_DEFINE_BLOCK_PROPERTY(Name, Type, Put)                    \
  Type Varigauge::get_Block##Name(const Variant& iBlock) const {     \
    return Read<Type>(Block(iBlock).Name);                           \
  }                                                                  \
  void Varigauge::Put##_Block##Name(const Variant& iBlock, Type v) { \
    BlockRecord& record = Block(iBlock);                             \
    record.Name = Write<Type, decltype(BlockRecord::Name)>(v);       \
    if (std::string_view(#Name) != "Key") RenderPass();              \
  }
VG_BLOCK_PROPERTIES(VG_DEFINE_BLOCK_PROPERTY)
#undef VG_DEFINE_BLOCK_PROPERTY

template <class Set>
void Varigauge::SetEveryBlock(Set set, bool notify) {
  for (int32_t i = 1; i <= blocks_.count(); ++i) set(blocks_.At(i));
  if (notify) host_.PropertyChanged("Block");
  RenderPass();
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
  if (twips_per_pixel == 0) Raise(11);  // never placed: no screen measure to divide by
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
