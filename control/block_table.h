#pragma once
// The block table: records 0 to Blocks, where record n is block n and record 0 is a spare
// record that is never drawn. The table does not exist until the first block is added (or
// a form is loaded); while it does not exist every access to a block fails with error 9.
#include <cstdint>
#include <vector>

#include "control/block_record.h"
#include "platform/automation/variant.h"

namespace vg {

class BlockTable {
 public:
  bool exists() const { return !records_.empty(); }
  // The number of blocks, 32-bit; it may be negative after Blocks was set below 0.
  int32_t count() const { return count_; }
  void set_count(int32_t n) { count_ = n; }

  // The record number a caller's selector names:
  // - numeric (numbers, Booleans, Empty, numeric text): converted to 16 bits (error 6
  //   outside); -1 means the current block, or the spare record 0 when the current block
  //   is outside 1..count; any other number is taken as it is;
  // - text: the first block whose key is exactly equal, or 0 when none is;
  // - anything else: error 13.
  int16_t Resolve(const Variant& selector, int16_t index_block) const;

  // The record with number n; error 9 when the table does not exist or n is outside
  // 0..count.
  BlockRecord& At(int32_t n);
  const BlockRecord& At(int32_t n) const;

  // Appends a block with the new-block values and `font` as its text font, creating the
  // table (with its spare record) if needed; the table then spans records 0..count (from a
  // count of -1 that is record 0 alone). A count still negative after the step only
  // changes the number. A table too large for memory fails with error 7 and leaves
  // everything as it was.
  void Add(StdFontRef font);

  // Closes the gap of block `selector` (a number, or numeric text; else error 13): every
  // block above it moves down by one, so a number below 1 moves block 1 into the spare
  // record and a number above the count moves nothing. The last record is dropped; when
  // the count reaches 0 the storage is kept.
  void Delete(const Variant& selector);

  // Sets the count to n as a stored form gives it and makes the table span records 0..n,
  // keeping the records it has; new records are empty (zero-filled). A negative n changes
  // only the count, so no block is loaded. A count the process cannot hold fails with
  // error 7 before anything is allocated, the table and count unchanged.
  void Load(int32_t n);

  std::vector<BlockRecord>& records() { return records_; }
  const std::vector<BlockRecord>& records() const { return records_; }

 private:
  std::vector<BlockRecord> records_;
  int32_t count_ = 0;
};

}  // namespace vg
