#include "control/block_table.h"

#include <unistd.h>

#include <new>

#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"

namespace vg {

int16_t BlockTable::Resolve(const Variant& selector, int16_t index_block) const {
  if (IsNumeric(selector)) {
    int16_t n = ToInteger(selector);
    if (n != -1) return n;
    return (index_block < 1 || index_block > count_) ? 0 : index_block;
  }
  if (!selector.IsString()) Raise(err::kTypeMismatch);
  for (int32_t i = 1; i <= count_ && i < static_cast<int32_t>(records_.size()); ++i)
    if (records_[i].Key == selector.string()) return static_cast<int16_t>(i);
  return 0;
}

BlockRecord& BlockTable::At(int32_t n) {
  if (!exists() || n < 0 || n > count_ || n >= static_cast<int32_t>(records_.size()))
    Raise(err::kSubscriptOutOfRange);
  return records_[n];
}

const BlockRecord& BlockTable::At(int32_t n) const {
  return const_cast<BlockTable*>(this)->At(n);
}

void BlockTable::Add(StdFontRef font) {
  if (count_ == INT32_MAX) Raise(err::kOverflow);
  int32_t n = count_ + 1;
  if (n < 0) {
    // A count below -1 (Blocks set below -1) has no record to end on; adding only steps
    // the count towards 0, so growing from such a count works instead of failing.
    count_ = n;
    return;
  }
  try {
    // The table always spans records 0..count; records already there keep their contents.
    records_.resize(static_cast<size_t>(n) + 1);
    records_[n] = BlockRecord::NewBlock(std::move(font));
  } catch (const std::bad_alloc&) {
    Raise(err::kOutOfMemory);
  } catch (const std::length_error&) {
    Raise(err::kOutOfMemory);
  }
  count_ = n;
}

void BlockTable::Delete(const Variant& selector) {
  if (!IsNumeric(selector)) Raise(err::kTypeMismatch);
  double limit = ToDouble(selector);
  int32_t last = std::min<int32_t>(count_, static_cast<int32_t>(records_.size()) - 1);
  for (int32_t i = 1; i <= last; ++i)
    if (i > limit) records_[i - 1] = records_[i];
  count_ = count_ - 1;
  if (count_ <= 0)
    count_ = 0;
  else
    records_.resize(static_cast<size_t>(count_) + 1);
}

void BlockTable::Load(int32_t n) {
  if (n < 0) {
    count_ = n;
    return;
  }
  // A hostile or damaged form may claim any count: refuse one larger than the machine's
  // memory instead of trying (the system might grant it lazily and fail later).
  uint64_t records = uint64_t{static_cast<uint32_t>(n)} + 1;
  uint64_t memory = uint64_t{static_cast<uint64_t>(sysconf(_SC_PHYS_PAGES))} *
                    static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
  if (records > records_.max_size() || records * sizeof(BlockRecord) > memory)
    Raise(err::kOutOfMemory);
  try {
    records_.resize(records);
  } catch (const std::bad_alloc&) {
    Raise(err::kOutOfMemory);
  }
  count_ = n;
}

}  // namespace vg
