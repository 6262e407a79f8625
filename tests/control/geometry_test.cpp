// The control's geometry, row by row: border width, scale ranges and factors, block
// rectangles in every orientation, percentages and the hit test, with the extreme values.
#include "control/geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "control/block_table.h"
#include "control/enums.h"
#include "platform/automation/errors.h"

namespace vg {
namespace {

constexpr int16_t kMin16 = std::numeric_limits<int16_t>::min();
constexpr int16_t kMax16 = std::numeric_limits<int16_t>::max();

BlockRecord Bars(int16_t left, int16_t right, int16_t top, int16_t bottom, bool auto_size = true) {
  BlockRecord b;
  b.BarLeft = left;
  b.BarRight = right;
  b.BarTop = top;
  b.BarBottom = bottom;
  b.AutoSize = auto_size;
  return b;
}

TEST(Geometry, EffectiveBorderWidth) {
  struct Row {
    int32_t style;
    int16_t width, expected;
  } rows[] = {
      {vgNoneBorder, 5, 5}, {vgInset, 5, 5},  {vgEtched, 5, 1},
      {vgBumpLight, 2, 1},  {vgEtched, 0, 0}, {vgEtched, -3, -3},
      {99, kMax16, 1},      {-1, 7, 7},       {vgRaised, kMin16, kMin16},
  };
  for (const Row& r : rows)
    EXPECT_EQ(EffectiveBorderWidth(r.style, r.width), r.expected) << r.style << " " << r.width;
}

TEST(Geometry, ScaleRangesAreSixteenBit) {
  EXPECT_EQ(ScaleRange(0, 100), 100);
  EXPECT_EQ(ScaleRange(50, 150), 100);
  EXPECT_EQ(ScaleRange(100, 0), -100);
  EXPECT_EQ(ScaleRange(7, 7), 0);
  EXPECT_EQ(ScaleRange(kMin16, -1), kMax16);
  EXPECT_EQ(ScaleRange(0, kMin16), kMin16);
  for (auto [lo, hi] : {std::pair{kMin16, kMax16}, {kMax16, kMin16}, {int16_t{1}, kMin16}}) {
    try {
      ScaleRange(lo, hi);
      ADD_FAILURE() << lo << ".." << hi;
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.number(), err::kOverflow);
    }
  }
}

TEST(Geometry, ScaleFactorsInSinglePrecision) {
  struct Row {
    double w, h;
    int16_t bw, h_range, v_range;
    float sh, sv;
  } rows[] = {
      {202, 52, 1, 100, 100, 2.0f, 0.5f},
      {60, 21, 1, -100, 100, 58.0f / -100.0f, 0.19f},
      {0, 0, 1, 100, 100, -0.02f, -0.02f},  // smaller than its frame
      {300, 25, 0, kMax16, kMin16, 300.0f / 32767.0f, 25.0f / -32768.0f},
      {202.5, 52, 1, 1, 1, 200.5f, 50.0f},  // a fractional drawing size
  };
  for (const Row& r : rows) {
    ScaleFactors s = Scales(r.w, r.h, r.bw, r.h_range, r.v_range);
    EXPECT_EQ(s.h, r.sh) << r.w;
    EXPECT_EQ(s.v, r.sv) << r.h;
  }
}

// A block 0..50 of 100 across, full height, on a control 202 x 52 inside a frame of 1.
TEST(Geometry, BlockRectanglesForEachOrientation) {
  const BlockRecord b = Bars(0, 50, 100, 0);
  struct Row {
    int32_t orientation;
    PixelRect expected;
  } rows[] = {
      {vgFromLeft, {1, 1, 101, 51}},
      {vgFromRight, {101, 1, 201, 51}},
      {vgFromTop, {1, 1, 201, 26}},
      {vgFromBottom, {1, 26, 201, 51}},
      {4, {0, 0, 0, 0}},  // any other orientation: nothing to fill, for every block alike
      {-1, {0, 0, 0, 0}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(BlockRect(r.orientation, b, 2.0f, 0.5f, 202.0f, 52.0f, 1), r.expected)
        << r.orientation;
}

TEST(Geometry, BlockRectanglesRoundAndSaturate) {
  // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4.
  EXPECT_EQ(BlockRect(vgFromLeft, Bars(5, 7, 0, 0), 0.5f, 1.0f, 10.0f, 10.0f, 0),
            (PixelRect{2, 10, 4, 10}));
  // Inverted and negative bars are handed on as computed.
  EXPECT_EQ(BlockRect(vgFromLeft, Bars(50, -1, -10, 0), 2.0f, 1.0f, 100.0f, 20.0f, 1),
            (PixelRect{101, 29, -1, 19}));
  // The widest bars on the widest scale.
  EXPECT_EQ(BlockRect(vgFromLeft, Bars(kMin16, kMax16, kMax16, kMin16), 2.0f, 1.0f, 0.0f, 0.0f, 1),
            (PixelRect{-65535, -32768, 65535, 32767}));
  // Beyond 32 bits the edges saturate rather than wrap.
  EXPECT_EQ(BlockRect(vgFromLeft, Bars(kMin16, kMax16, 0, 0), 1e30f, 1.0f, 0.0f, 0.0f, 0),
            (PixelRect{INT32_MIN, 0, INT32_MAX, 0}));
}

TEST(Geometry, Percentages) {
  struct Row {
    BlockRecord b;
    int16_t h_range, v_range;
    double w, h;
    int64_t ph, pv;
  } rows[] = {
      {Bars(0, 50, 100, 0), 100, 100, 202, 52, 50, 100},
      {Bars(0, 29, 0, 0), 100, 100, 1, 1, 29, 0},  // exact: not 28
      {Bars(0, 50, 0, 100), -100, 100, 1, 1, 50, 100},
      {Bars(0, 150, 0, 0), 100, 100, 1, 1, 150, 0},
      {Bars(kMin16, kMax16, kMax16, kMin16), 1, -1, 1, 1, 6553500, 6553500},
      {Bars(0, 5, 0, 5), 0, 0, 1, 1, 0, 0},  // no range: 0, never a division by zero
      // In pixels when the block does not size itself to the scales.
      {Bars(0, 40, 10, 0, false), 100, 100, 200, 50, 20, 20},
      {Bars(0, 40, 10, 0, false), 100, 100, 0, -50, 0, 20},
      {Bars(0, 40, 0, 0, false), 100, 100, 200.5, 1, 19, 0},
      {Bars(0, 40, 1, 0, false), 100, 100, std::numeric_limits<double>::quiet_NaN(), 1e-300, 0,
       INT64_MAX},
  };
  for (const Row& r : rows) {
    Percentages p = BlockPercentages(r.b, r.h_range, r.v_range, r.w, r.h);
    EXPECT_EQ(p.h, r.ph) << r.b.BarLeft << ".." << r.b.BarRight;
    EXPECT_EQ(p.v, r.pv) << r.b.BarTop << ".." << r.b.BarBottom;
  }
}

class HitTestTable : public ::testing::Test {
 protected:
  // Adds a clickable, visible block with these bars.
  void Add(int16_t left, int16_t right, int16_t top, int16_t bottom) {
    table.Add(nullptr);
    BlockRecord& b = table.At(table.count());
    b.BarLeft = left;
    b.BarRight = right;
    b.BarTop = top;
    b.BarBottom = bottom;
  }
  BlockTable table;
};

TEST_F(HitTestTable, FindsTheLowestNumberedClickableVisibleBlock) {
  EXPECT_EQ(HitTest(table, vgFromLeft, {2.0f, 0.5f}, 10.0f, 10.0f), -1);  // no blocks
  Add(60, 80, 100, 0);                                                    // 1: x 120..160, y 0..50
  Add(0, 50, 100, 0);                                                     // 2: x 0..100
  Add(0, 10, 100, 0);                                                     // 3
  Add(0, 10, 100, 0);                                                     // 4
  Add(20, 60, 100, 0);                                                    // 5: overlaps 2
  const ScaleFactors f{2.0f, 0.5f};
  EXPECT_EQ(HitTest(table, vgFromLeft, f, 50.0f, 25.0f), 2);   // over 2 and 5: 2 wins
  EXPECT_EQ(HitTest(table, vgFromLeft, f, 100.0f, 0.0f), 2);   // right and top edges count
  EXPECT_EQ(HitTest(table, vgFromLeft, f, 110.0f, 25.0f), 5);  // only 5 reaches 110..120
  EXPECT_EQ(HitTest(table, vgFromLeft, f, 160.0f, 50.0f), 1);
  EXPECT_EQ(HitTest(table, vgFromLeft, f, 161.0f, 25.0f), -1);
  EXPECT_EQ(HitTest(table, vgFromLeft, f, 50.0f, 50.5f), -1);  // below the bottom edge
  table.At(2).Visible = false;
  EXPECT_EQ(HitTest(table, vgFromLeft, f, 5.0f, 25.0f), 3);
  table.At(3).Clickable = false;
  EXPECT_EQ(HitTest(table, vgFromLeft, f, 5.0f, 25.0f), 4);
}

TEST_F(HitTestTable, FromTopAndBottomSwapTheFactorsAndTheFrameIsNotAdded) {
  Add(0, 10, 100, 50);  // left 0..10, vertical 0..50 steps down from the top
  const ScaleFactors f{2.0f, 3.0f};
  EXPECT_EQ(HitTest(table, vgFromLeft, f, 20.0f, 100.0f), 1);  // x <= 10 x 2, y <= 50 x 3
  EXPECT_EQ(HitTest(table, vgFromLeft, f, 21.0f, 100.0f), -1);
  EXPECT_EQ(HitTest(table, vgFromTop, f, 30.0f, 100.0f), 1);  // x <= 10 x 3, y <= 50 x 2
  EXPECT_EQ(HitTest(table, vgFromBottom, f, 30.0f, 101.0f), -1);
  EXPECT_EQ(HitTest(table, 7, f, 30.0f, 100.0f), 1);  // any other: swapped too
}

TEST_F(HitTestTable, ExtremeBarsNeitherOverflowNorHitByAccident) {
  Add(kMin16, kMax16, kMin16, kMin16);  // the vertical measure is 100 + 32768 steps
  EXPECT_EQ(HitTest(table, vgFromLeft, {1.0f, 1.0f}, 0.0f, 32868.0f), 1);
  EXPECT_EQ(HitTest(table, vgFromLeft, {1.0f, 1.0f}, 0.0f, 32867.0f), -1);
  table.set_count(5);  // a count beyond the records reads only the records there are
  EXPECT_EQ(HitTest(table, vgFromLeft, {1.0f, 1.0f}, 0.0f, 0.0f), -1);
  table.set_count(-3);
  EXPECT_EQ(HitTest(table, vgFromLeft, {1.0f, 1.0f}, 0.0f, 32868.0f), -1);
}

}  // namespace
}  // namespace vg
