// The snapshot of the blocks in memory (SaveSetting, RestoreSetting). It lives as long as
// the control, is never stored with a form, and holds no control-wide setting.
#include <algorithm>
#include <new>

#include "control/varigauge.h"
#include "platform/automation/errors.h"

namespace vg {
namespace {

// Every field of the block's record, in place; the Block page's edit mark is not a field.
// Texts are copied, fonts and pictures shared by reference.
void CopyFields(const BlockRecord& from, BlockRecord& to) {
  bool mark = to.bModified;
  to = from;
  to.bModified = mark;
}

}  // namespace

void Varigauge::SaveSetting() {
  // A negative count (Blocks set below 0) snapshots no block.
  int32_t n = std::max(blocks_.count(), 0);
  try {
    saved_blocks_.resize(static_cast<size_t>(n) + 1);
  } catch (const std::bad_alloc&) {
    Raise(err::kOutOfMemory);
  }
  for (int32_t i = 1; i <= n; ++i) CopyFields(blocks_.At(i), saved_blocks_[i]);
}

// By position: record n receives whatever the snapshot holds under number n.
void Varigauge::RestoreSetting() {
  for (int32_t i = 1; i <= blocks_.count(); ++i) {
    if (i >= static_cast<int32_t>(saved_blocks_.size())) Raise(err::kSubscriptOutOfRange);
    CopyFields(saved_blocks_[i], blocks_.At(i));
  }
  Draw();
}

}  // namespace vg
