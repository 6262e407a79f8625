// What the render pass reports as drawn (the blocks the window shows, for assistive
// technologies), and rivets only where a block has pixels.
#include <algorithm>

#include "control/enums.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {
using testing::Pixels;
using testing::PlacedControl;

Variant N(int n) {
  return Variant::Integer(static_cast<int16_t>(n));
}

std::vector<int32_t> Numbers(const Varigauge& c) {
  std::vector<int32_t> numbers;
  for (const DrawnBlock& d : c.DrawnBlocks()) numbers.push_back(d.number);
  return numbers;
}

TEST(DrawnBlocks, TheBlocksAPassDrewInNumberOrderWithRectanglesTextsAndPercentages) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  c.put_Redraw(false);
  c.put_Blocks(4);
  for (int i = 1; i <= 4; ++i) {
    c.put_BlockBarLeft(N(i), 0);
    c.put_BlockBarRight(N(i), 50);
  }
  c.put_BlockOnTop(N(1), true);  // drawn last, listed first
  c.put_BlockVisible(N(2), false);
  c.put_BlockBarTop(N(3), -1);  // a negative bar: not drawn
  c.put_BlockText(N(4), "!h%! done");
  c.put_BlockBarRight(N(4), 25);
  EXPECT_TRUE(c.DrawnBlocks().empty());  // nothing drawn yet
  c.put_Redraw(true);

  ASSERT_EQ(Numbers(c), (std::vector<int32_t>{1, 4}));
  const DrawnBlock& first = c.DrawnBlocks()[0];
  const DrawnBlock& fourth = c.DrawnBlocks()[1];
  // sH = (202 - 2) / 100 = 2; the bars 0..100 of the vertical scale fill the height.
  EXPECT_EQ(first.rect, (PixelRect{1, 1, 101, 51}));
  EXPECT_EQ(first.h_percentage, 50);
  EXPECT_EQ(first.text, "");
  EXPECT_EQ(fourth.rect, (PixelRect{1, 1, 51, 51}));
  EXPECT_EQ(fourth.h_percentage, 25);
  EXPECT_EQ(fourth.text, "25 % done");
  EXPECT_EQ(c.get_BlockText(N(4)), "!h%! done");  // the block keeps its fields
}

TEST(DrawnBlocks, APassThatDrawsNothingLeavesTheListAsTheWindowShowsIt) {
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  c.AddBlock();
  c.put_BlockBarLeft(N(1), 0);
  c.put_BlockBarRight(N(1), 30);
  ASSERT_EQ(Numbers(c), (std::vector<int32_t>{1}));
  // Not drawn while Redraw is off, nor while a scale has no range: the window keeps the
  // old picture, and the list the old blocks.
  c.put_Redraw(false);
  c.put_BlockVisible(N(1), false);
  EXPECT_EQ(Numbers(c), (std::vector<int32_t>{1}));
  c.put_Redraw(true);
  EXPECT_TRUE(c.DrawnBlocks().empty());
  c.put_BlockVisible(N(1), true);
  c.put_HMaxValue(c.get_HMinValue());
  c.put_BlockBarRight(N(1), 40);
  ASSERT_EQ(Numbers(c), (std::vector<int32_t>{1}));
  EXPECT_EQ(c.DrawnBlocks()[0].h_percentage, 30);
  // A pass that raises (a 16-bit overflow of the range) leaves the list too.
  c.put_Redraw(false);
  c.put_HMinValue(-100);
  c.put_HMaxValue(32767);
  EXPECT_EQ(testing::ErrorOf([&] { c.put_Redraw(true); }), 6);
  ASSERT_EQ(Numbers(c), (std::vector<int32_t>{1}));
  EXPECT_EQ(c.DrawnBlocks()[0].h_percentage, 30);
}

// Pixels of the three rivet colours.
int RivetPixels(const PlacedControl& p) {
  const gdi::PixelView v = p.host.Pixels();
  int n = 0;
  for (int i = 0; i < v.width * v.height; ++i)
    n += v.pixels[i] == 0xFFFFFF || v.pixels[i] == 0x808080 || v.pixels[i] == 0xC0C0C0;
  return n;
}

TEST(DrawnBlocks, ABlockWithoutWidthOrHeightIsNotDrawnAndGetsNoRivets) {
  // A disk bar whose drive is missing: its field sets the bar to 0, so the block has no
  // width; rivets would stand alone on the background.
  PlacedControl p(Pixels(202, 52));
  Varigauge& c = p.c();
  c.put_BackColor(0x800000);
  c.put_BorderStyle(vgNoneBorder);
  c.put_Redraw(false);
  c.AddBlock();
  c.put_BlockBorderStyle(N(1), vgNoneBorder);
  c.put_BlockColor(N(1), 0x008000);
  c.put_BlockRivetsStyle(N(1), vgRaisedRivetsExt);
  c.put_BlockBarLeft(N(1), 0);
  c.put_BlockBarRight(N(1), 50);
  c.put_Redraw(true);
  EXPECT_EQ(RivetPixels(p), 8 * 7);  // eight rivets of seven pixels each
  EXPECT_EQ(Numbers(c), (std::vector<int32_t>{1}));
  c.put_BlockBarRight(N(1), 0);
  EXPECT_EQ(RivetPixels(p), 0);
  EXPECT_TRUE(c.DrawnBlocks().empty());  // it shows nothing
  EXPECT_EQ(c.get_BlockHPercentage(N(1)), "0");
  c.put_BlockBarRight(N(1), 50);
  c.put_BlockBarBottom(N(1), 100);  // no height (top and bottom both 100)
  EXPECT_EQ(RivetPixels(p), 0);

  // Nothing of it shows, its text neither (clipped to the empty rectangle).
  c.put_BlockBarBottom(N(1), 0);
  c.put_BlockBarRight(N(1), 0);
  c.put_BlockTextColor(N(1), 0x00FFFF);
  c.put_BlockText(N(1), "D: 0 %");
  const gdi::PixelView v = p.host.Pixels();
  EXPECT_EQ(std::count(v.pixels, v.pixels + v.width * v.height, COLORREF{0x800000}),
            v.width * v.height);
}

}  // namespace
}  // namespace vg
