// Live fields as the render pass draws them: block texts follow the clock and the disks,
// show fields move their blocks, hidden blocks and the caption stay as written.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/disk/disk_map.h"
#include "tests/control/control_fixture.h"

namespace vg::testing {
namespace {

struct NoDrives : DiskProvider {
  bool Query(char, DiskSpace*) override { return false; }
};

class LiveFieldsRenderTest : public ::testing::Test {
 protected:
  LiveFieldsRenderTest() : scope(drives) {
    drives->SetBytes('c', 573000, 1000000);  // 42.7 % used
    drives->SetBytes('f', 0, 10);            // full
    p.host.clock().SetWallTime(*MakeLocalTime(2026, 12, 7, 17, 45, 12));
    p.host.TakeEvents();
  }
  // Adds a visible block over the whole control with `text`.
  void AddBlock(const std::string& text) {
    Varigauge& c = p.c();
    c.put_Redraw(false);
    c.AddBlock();
    const Variant n = Variant::Integer(static_cast<int16_t>(c.get_Blocks()));
    c.put_BlockBarLeft(n, 0);
    c.put_BlockBarRight(n, 100);
    c.put_BlockBarTop(n, 100);
    c.put_BlockBarBottom(n, 0);
    c.put_BlockText(n, text);
    c.put_Redraw(true);
  }
  std::vector<COLORREF> Window() const {
    const gdi::PixelView v = p.host.Pixels();
    return std::vector<COLORREF>(v.pixels, v.pixels + v.width * v.height);
  }
  void SetTime(int h, int m, int s) {
    p.host.clock().SetWallTime(*MakeLocalTime(2026, 12, 7, h, m, s));
  }

  std::shared_ptr<DiskMap> drives = std::make_shared<DiskMap>(std::make_shared<NoDrives>());
  ScopedDiskProvider scope;
  PlacedControl p{Pixels(200, 24)};
};

TEST_F(LiveFieldsRenderTest, AShowFieldMovesItsBlockWhileTheStoredTextKeepsTheField) {
  AddBlock("C: !show horizontal ratio used:c!");
  const Variant one = Variant::Integer(1);
  EXPECT_EQ(p.c().get_BlockBarLeft(one), 0);
  EXPECT_EQ(p.c().get_BlockBarRight(one), 42);
  EXPECT_EQ(p.c().get_BlockText(one), "C: !show horizontal ratio used:c!");
  // The drive fills up: the next pass follows it.
  drives->SetBytes('c', 100000, 1000000);
  p.c().Refresh();
  EXPECT_EQ(p.c().get_BlockBarRight(one), 90);
}

// The background leaves out the area under a plain block, which is known only once its show
// field has moved it: over a surface painted magenta, nothing of the old picture may show.
TEST_F(LiveFieldsRenderTest, TheBackgroundIsLeftOutOnlyWhereTheMovedBlockLies) {
  AddBlock("!show horizontal ratio used:c!");  // set to 0..100, shown at 0..42
  const OffScreenDC& surface = *VarigaugeTestPeer::surface(p.c());
  const gdi::RECT all{0, 0, surface.CtlWidth(), surface.CtlHeight()};
  for (int64_t used : {573000, 100000, 990000}) {
    drives->SetBytes('c', 1000000 - used, 1000000);
    gdi::FillSolidRect(surface.MemDC(), &all, RGB(255, 0, 255));
    p.c().Refresh();
    const std::vector<COLORREF> window = Window();
    EXPECT_EQ(std::count(window.begin(), window.end(), RGB(255, 0, 255)), 0) << used;
  }
}

TEST_F(LiveFieldsRenderTest, AHiddenBlockIsNeverExpanded) {
  AddBlock("!show horizontal ratio used:c!");
  const Variant one = Variant::Integer(1);
  p.c().put_BlockBarLeft(one, -1);
  p.c().put_BlockBarRight(one, 7);
  EXPECT_EQ(p.c().get_BlockBarLeft(one), -1);
  EXPECT_EQ(p.c().get_BlockBarRight(one), 7);
}

TEST_F(LiveFieldsRenderTest, BlockTextsFollowTheClockAndTheCaptionStaysAsWritten) {
  p.c().put_Caption("!short time!");
  const std::vector<COLORREF> caption_at_1745 = Window();
  SetTime(9, 10, 0);
  p.c().Refresh();
  EXPECT_EQ(Window(), caption_at_1745);

  p.c().put_Caption("");
  AddBlock("!short time!");
  const std::vector<COLORREF> block_at_0910 = Window();
  SetTime(17, 45, 0);
  p.c().Refresh();
  EXPECT_NE(Window(), block_at_0910);
  SetTime(9, 10, 59);  // the same minute draws the same picture
  p.c().Refresh();
  EXPECT_EQ(Window(), block_at_0910);
}

TEST_F(LiveFieldsRenderTest, ATimeFieldChangesWithEveryTickOfTheTimeTimer) {
  AddBlock("!long time!");
  p.c().put_TimerTimeEnabled(true);
  std::vector<COLORREF> before = Window();
  for (int i = 0; i < 3; ++i) {
    p.host.clock().Advance(1000);
    const std::vector<COLORREF> after = Window();
    EXPECT_NE(after, before) << i;
    before = after;
  }
  EXPECT_EQ(p.host.TakeEvents().size(), 3u);
}

TEST_F(LiveFieldsRenderTest, ABarBeyond16BitsStopsThePassWithAnOverflow) {
  p.c().put_HMaxValue(-32768);  // a range of -32768: a full drive's bar would be 32768
  AddBlock("x");
  EXPECT_EQ(
      ErrorOf([&] { p.c().put_BlockText(Variant::Integer(1), "!show horizontal ratio used:f!"); }),
      6);
  EXPECT_EQ(
      ErrorOf([&] { p.c().put_BlockText(Variant::Integer(1), "!show horizontal ratio free:f!"); }),
      0);
  EXPECT_EQ(p.c().get_BlockBarRight(Variant::Integer(1)), 0);
}

}  // namespace
}  // namespace vg::testing
