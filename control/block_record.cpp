#include "control/block_record.h"

#include "control/members.h"

namespace vg {

BlockRecord BlockRecord::NewBlock(StdFontRef font) {
  BlockRecord r;
  for (const MemberRow* row : BlockMembers())
    if (row->type != ValueType::kFont) row->access.store_field(r, row->def.Make(nullptr));
  r.TextFont = std::move(font);
  return r;
}

}  // namespace vg
