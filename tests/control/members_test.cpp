// The member table: its order, its lookups, and the defaults that new controls, new blocks
// and left-out arguments take from it.
#include <set>

#include "control/members.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {
using testing::PlacedControl;

// The DISPIDs follow the interface's member order: properties count down from 0x68030047,
// the Refresh method is 0x6003004D and the other methods count up from 0x60030056; the
// standard identifiers stand outside both runs.
TEST(MemberTable, DispidsFollowTheMemberOrder) {
  const std::set<DISPID> standard = {-514, -512, -552};
  int32_t next_property = 0x68030047;
  int32_t next_method = 0x60030056;
  for (const MemberRow& row : Members()) {
    if (standard.count(row.id)) continue;
    if (row.name == "Refresh") {
      EXPECT_EQ(row.id, 0x6003004D);
    } else if (row.kinds & kMethod) {
      EXPECT_EQ(row.id, next_method++) << row.name;
    } else {
      EXPECT_EQ(row.id, next_property--) << row.name;
    }
  }
  EXPECT_EQ(next_property, 0x68030000 - 1);
  EXPECT_EQ(next_method, 0x60030073);
  EXPECT_EQ(Members().size(), 105u);
  EXPECT_EQ(Members().front().name, "Refresh");
  EXPECT_EQ(Members().back().name, "BlockAutoSize");
}

TEST(MemberTable, NamesAndDispidsFindTheirOneRow) {
  for (const MemberRow& row : Members()) {
    EXPECT_EQ(FindMember(row.name), &row);
    EXPECT_EQ(FindMember(row.id), &row);
  }
  EXPECT_EQ(FindMember("bACKcOLOR"), FindMember(0x68030047));
  EXPECT_EQ(FindMember("BackColour"), nullptr);
  EXPECT_EQ(FindMember(DISPID{12345}), nullptr);
  EXPECT_EQ(FindMember("Enabled")->help,
            "Retuns/sets a value that determines whether an object can respond to "
            "user-generated events. (use the .DisabledColor property to show that the object "
            "is disabled)");
  EXPECT_TRUE(FindMember("BlockKey")->help.empty());
  EXPECT_TRUE(FindMember("About")->Has(kHidden));
  EXPECT_TRUE(FindMember("DontRefreshAfterPropertyPage")->Has(kDesignTimeOnly));
  EXPECT_EQ(FindMember("BlockPicture")->kinds, kGet | kSet);
  EXPECT_EQ(FindMember("BlockTextFont")->kinds, kGet | kLet | kSet);
}

// Control keys are written 1 and 5..42 (Height and Width take 3 and 4, the block keys 2)
// and read in their own order; a block's 34 keys are written and read in one order.
TEST(MemberTable, StoredKeysHaveOnePlaceEach) {
  std::set<int> written, read;
  for (const MemberRow& row : Members()) {
    if (row.Has(kBlockField) || !row.bag.stored_at_all()) continue;
    EXPECT_TRUE(written.insert(row.bag.write_order).second) << row.name;
    if (row.bag.read_order) {
      EXPECT_TRUE(read.insert(row.bag.read_order).second) << row.name;
    }
    EXPECT_EQ(row.bag.key, row.name);
  }
  EXPECT_EQ(written.size(), 39u);
  EXPECT_EQ(*written.begin(), 1);
  EXPECT_EQ(*written.rbegin(), 42);
  EXPECT_EQ(written.count(3) + written.count(4) + written.count(2), 0u);
  EXPECT_EQ(read.size(), 38u);  // DontRefreshAfterPropertyPage is written, never read
  EXPECT_EQ(FindMember("DisabledColor")->bag.read_order, 20);
  EXPECT_EQ(FindMember("Picture")->BagDefault().kind, DefaultValue::kNoPicture);
  EXPECT_EQ(FindMember("Picture")->def.kind, DefaultValue::kEmptyPicture);

  ASSERT_EQ(BlockMembers().size(), 34u);
  const char* expected[] = {"Key",       "BarLeft",    "BarRight",   "BarTop",
                            "BarBottom", "ShapeStyle", "BorderStyle"};
  for (size_t i = 0; i < std::size(expected); ++i)
    EXPECT_EQ(BlockMembers()[i]->bag.key, std::string("Block.") + expected[i] + "(");
  EXPECT_EQ(BlockMembers()[29]->name, "BlockPictureAlignment");
  EXPECT_EQ(BlockMembers()[33]->name, "BlockAutoSize");
  for (size_t i = 0; i < 34; ++i) EXPECT_EQ(BlockMembers()[i]->bag.write_order, i + 1);
  EXPECT_EQ(FindMember("BlockTextFont")->BagDefault().kind, DefaultValue::kAmbientFont);

  // Whatever is stored with a form can be read and written plainly.
  for (const MemberRow& row : Members()) {
    if (!row.bag.stored_at_all()) continue;
    const Access& a = row.access;
    if (row.Has(kBlockField))
      EXPECT_TRUE(a.fetch_field && a.store_field) << row.name;
    else
      EXPECT_TRUE(a.fetch && a.store) << row.name;
  }
}

// What a host reads from a newly placed control and from a new block is each row's default.
TEST(MemberTable, NewControlsAndNewBlocksReadBackTheDefaults) {
  PlacedControl p(testing::Pixels(60, 21, /*user_mode=*/false));
  Varigauge& c = p.c();
  c.AddBlock();
  c.put_IndexBlock(1);
  int checked = 0;
  for (const MemberRow& row : Members()) {
    if (!row.access.get || row.def.kind == DefaultValue::kNone || row.name == "IndexBlock" ||
        row.name == "Blocks")
      continue;
    DispatchResult got = Invoke(c, row.id, DISPATCH_PROPERTYGET, {});
    ASSERT_TRUE(got.ok()) << row.name;
    switch (row.def.kind) {
      case DefaultValue::kAmbientFont:
        EXPECT_EQ(got.value.object(), p.host.AmbientFont()) << row.name;
        break;
      case DefaultValue::kNewFont: {
        auto font = std::dynamic_pointer_cast<StdFont>(got.value.object());
        ASSERT_TRUE(font);
        EXPECT_EQ(font->Name(), "MS Sans Serif");
        EXPECT_EQ(font->Size(), 8.25);
        EXPECT_NE(got.value.object(), p.host.AmbientFont());
        break;
      }
      case DefaultValue::kEmptyPicture: {
        auto picture = std::dynamic_pointer_cast<StdPicture>(got.value.object());
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->Type(), vbPicTypeNone);
        break;
      }
      default:
        EXPECT_EQ(got.value, row.def.Make(&p.host)) << row.name;
    }
    ++checked;
  }
  EXPECT_EQ(checked, 38 + 33);
}

// A SetBlock function called without its argument stores the argument's default from the
// table, late-bound and early-bound alike.
TEST(MemberTable, LeftOutArgumentsTakeTheirDefaults) {
  PlacedControl p;
  Varigauge& c = p.c();
  c.put_Blocks(1);
  c.put_IndexBlock(1);
  int checked = 0;
  for (const MemberRow& row : Members()) {
    if (!row.name.starts_with("SetBlock")) continue;
    const MemberRow* field = FindMember(row.name.substr(3));  // SetBlockColor: BlockColor
    ASSERT_TRUE(field) << row.name;
    ASSERT_TRUE(Invoke(c, row.id, DISPATCH_METHOD, {}).ok()) << row.name;
    DispatchResult got = Invoke(c, field->id, DISPATCH_PROPERTYGET, {});
    EXPECT_EQ(got.value, ArgumentDefault(row.id)) << row.name;
    ++checked;
  }
  EXPECT_EQ(checked, 22);
  EXPECT_EQ(c.get_BlockBrushColor(), 0x808080u);  // not the new block's 0

  c.put_BlockBrushColor(CurrentBlock(), 1);
  c.put_BlockTextOffset(CurrentBlock(), 9);
  c.put_BlockVisible(CurrentBlock(), false);
  c.SetBlockBrushColor();
  c.SetBlockTextOffset();
  c.SetBlockVisible();
  EXPECT_EQ(c.get_BlockBrushColor(), 0x808080u);
  EXPECT_EQ(c.get_BlockTextOffset(), 3);
  EXPECT_TRUE(c.get_BlockVisible());
}

}  // namespace
}  // namespace vg
