#pragma once
// Live fields in a block's text: "!name!" or "!name:X!" between exclamation marks, replaced
// on every render pass by the time or date, the block's percentages, or the space of drive
// X; the four "show" fields also set the block's bar to the drive's ratio.
//
// The text is scanned from the left. Parsing stops at once unless the text's first two
// exclamation marks enclose at least one character (so "!!short time!" stays as written).
// A field's name is what lies between its marks, or, when a colon inside the field has at
// least one character after it, what lies before the first colon plus ":" (the argument
// is then the character after the colon); names match without regard to case. An unknown
// name is replaced by nothing. The search for the next field restarts one character past
// the inserted value, so a field written right after another ("!a!!b!") stays as written.
#include <cstdint>
#include <string>

#include "control/block_record.h"
#include "platform/disk/disk_space.h"
#include "platform/timers/local_time.h"

namespace vg {

struct LiveFieldContext {
  const Clock& clock;  // read at most once per text, so every field of it shows one instant
  DiskProvider& disk;  // asked afresh by every disk field
  int16_t h_range;     // HMaxValue - HMinValue, for the show horizontal fields
  int16_t v_range;     // VMaxValue - VMinValue, for the show vertical fields
};

// Expands the fields of `text` in place. The percent fields read the block's HPercentage
// and VPercentage; a show field sets BarLeft 0 and BarRight (or BarBottom 0 and BarTop) to
// |range| x ratio / 100, halves to even, and fails with error 6 beyond 16 bits. Allocates
// only when the text outgrows its storage.
void ExpandLiveFields(std::string& text, BlockRecord& block, const LiveFieldContext& context);

}  // namespace vg
