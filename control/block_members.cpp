// Members that work on the block table as a whole.
#include <new>

#include "control/enums.h"
#include "control/varigauge.h"
#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"

namespace vg {

int16_t Varigauge::get_Blocks() const {
  return CheckedInteger(blocks_.count());
}

void Varigauge::put_Blocks(int16_t n) {
  // Shrinking deletes from the end, each block by its own number, so nothing moves.
  for (int32_t i = blocks_.count(); i >= n + 1; --i) DeleteBlock(Variant::Long(i));
  for (int32_t i = blocks_.count(); i < n; ++i) AddBlock();
  blocks_.set_count(n);
  Draw();
}

void Varigauge::AddBlock() {
  StdFontRef font;
  try {
    font = StdFont::Create(std::string(kDefaultFont.name), kDefaultFont.size);
  } catch (const std::bad_alloc&) {
    Raise(err::kOutOfMemory);
  }
  blocks_.Add(std::move(font));
}

void Varigauge::DeleteBlock(const Variant& iBlock) {
  blocks_.Delete(iBlock);
  Draw();
}

void Varigauge::ResetBlocks(std::vector<BlockRecord>& records) {
  StdFontRef ambient = host_.AmbientFont();
  for (int32_t i = 1; i <= blocks_.count(); ++i) {
    // The snapshot may hold fewer records than there are blocks (never saved): what was
    // cleared stays cleared, and the caller learns of the gap.
    if (i >= static_cast<int32_t>(records.size())) Raise(err::kSubscriptOutOfRange);
    records[i] = BlockRecord::NewBlock(ambient);
  }
}

void Varigauge::ClearAll(int32_t bClear) {
  ResetBlocks(blocks_.records());
  if (bClear == vgHard) ResetBlocks(saved_blocks_);
  Draw();
}

void Varigauge::ClearBlockBar() {
  for (int32_t i = 1; i <= blocks_.count(); ++i) {
    BlockRecord& r = blocks_.At(i);
    r.BarLeft = -1;
    r.BarRight = -1;
  }
  host_.PropertyChanged("Block");
  Draw();
}

int32_t Varigauge::get_SpecialClearAllBlock() const {
  if (host_.AmbientUserMode()) Raise(err::kGetNotSupportedAtRunTime);
  return state_.special_clear_all_block;
}

void Varigauge::put_SpecialClearAllBlock(int32_t v) {
  if (host_.AmbientUserMode()) Raise(err::kGetNotSupportedAtRunTime);
  state_.special_clear_all_block = v;
  Notify(dispid::kSpecialClearAllBlock);
  ClearAll(vgSoft);
  state_.special_clear_all_block = vgDontClear;
  Notify(dispid::kSpecialClearAllBlock);
  Draw();
}

void Varigauge::put_IndexBlock(int16_t v) {
  state_.index_block = v;
  Notify(dispid::kIndexBlock);
  Draw();
}

BlockRecord& Varigauge::Block(const Variant& iBlock) {
  return blocks_.At(blocks_.Resolve(iBlock, state_.index_block));
}

}  // namespace vg
