// The snapshot of the blocks: copied by position, fonts and pictures shared, error 9 where
// the snapshot does not reach, a redraw only when the restore succeeds.
#include <gtest/gtest.h>

#include "control/enums.h"
#include "tests/control/control_fixture.h"

namespace vg::testing {
namespace {

struct Snapshot : PlacedControl {
  Snapshot(int blocks = 3) {
    for (int i = 1; i <= blocks; ++i) {
      c().AddBlock();
      c().put_BlockText(Variant::Integer(static_cast<int16_t>(i)), "block " + std::to_string(i));
    }
    host.TakeNotifications();
  }
  // Late bound, as the sample programs call them.
  int Call(const char* name) {
    DispatchResult r = Invoke(c(), name, DISPATCH_METHOD, {});
    return r.error;
  }
  std::string Text(int n) { return c().get_BlockText(Variant::Integer(static_cast<int16_t>(n))); }
};

TEST(SavedSettings, RestoreBringsBackWhatWasSavedAndRedraws) {
  Snapshot s;
  ASSERT_EQ(s.Call("SaveSetting"), 0);
  s.c().put_BlockColor(Variant::Integer(1), 0x123456);
  s.c().put_BlockText(Variant::Integer(1), "changed");
  int updates = s.Updates();
  ASSERT_EQ(s.Call("RestoreSetting"), 0);
  EXPECT_EQ(s.c().get_BlockColor(Variant::Integer(1)), 0x808080u);
  EXPECT_EQ(s.Text(1), "block 1");
  EXPECT_EQ(s.Updates(), updates + 1);
  EXPECT_TRUE(s.host.TakeNotifications().empty());

  // A second save replaces the first.
  s.c().put_BlockText(Variant::Integer(1), "second");
  s.c().SaveSetting();
  s.c().put_BlockText(Variant::Integer(1), "third");
  s.c().RestoreSetting();
  EXPECT_EQ(s.Text(1), "second");
}

TEST(SavedSettings, RestoreCopiesByPosition) {
  Snapshot s;
  s.c().SaveSetting();
  s.c().DeleteBlock(Variant::Integer(1));
  s.c().put_BlockText(Variant::Integer(1), "x");
  s.c().RestoreSetting();
  EXPECT_EQ(s.c().get_Blocks(), 2);
  EXPECT_EQ(s.Text(1), "block 1");
  EXPECT_EQ(s.Text(2), "block 2");
}

TEST(SavedSettings, BlocksBeyondTheSnapshotRaise9WithoutARedraw) {
  Snapshot s(2);
  s.c().SaveSetting();
  s.c().AddBlock();
  s.c().put_BlockText(Variant::Integer(1), "x");
  s.c().put_BlockText(Variant::Integer(3), "new");
  int updates = s.Updates();
  EXPECT_EQ(s.Call("RestoreSetting"), 9);
  EXPECT_EQ(s.Text(1), "block 1");  // what the snapshot covers is restored
  EXPECT_EQ(s.Text(3), "new");
  EXPECT_EQ(s.Updates(), updates);

  Snapshot never;
  never.c().put_BlockText(Variant::Integer(1), "x");
  updates = never.Updates();
  EXPECT_EQ(never.Call("RestoreSetting"), 9);
  EXPECT_EQ(never.Text(1), "x");
  EXPECT_EQ(never.Updates(), updates);

  Snapshot empty(0);
  updates = empty.Updates();
  EXPECT_EQ(empty.Call("RestoreSetting"), 0);
  EXPECT_EQ(empty.Updates(), updates + 1);
}

TEST(SavedSettings, FontsAndPicturesAreSharedWithTheSnapshot) {
  Snapshot s(1);
  StdFontRef font = s.c().get_BlockTextFont(Variant::Integer(1));
  s.c().SaveSetting();
  font->SetBold(true);  // a change to the shared object shows in the snapshot too
  s.c().put_BlockTextFont(Variant::Integer(1), StdFont::Create("Arial", 20));
  s.c().RestoreSetting();
  EXPECT_EQ(s.c().get_BlockTextFont(Variant::Integer(1)), font);
  EXPECT_TRUE(font->Bold());
}

TEST(SavedSettings, AHardClearAllResetsTheSnapshotASoftOneDoesNot) {
  Snapshot s(2);
  s.c().SaveSetting();
  s.c().ClearAll(vgSoft);
  s.c().RestoreSetting();
  EXPECT_EQ(s.Text(2), "block 2");
  s.c().ClearAll(vgHard);
  s.c().put_BlockText(Variant::Integer(2), "x");
  s.c().RestoreSetting();
  EXPECT_EQ(s.Text(2), "");
  EXPECT_EQ(s.c().get_BlockBarLeft(Variant::Integer(2)), -1);
}

}  // namespace
}  // namespace vg::testing
