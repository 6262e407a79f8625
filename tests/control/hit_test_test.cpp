// The hit test as a pure function, row by row: edges, overlaps, skipped blocks, the four
// orientations, single-precision products.
#include "control/hit_test.h"

#include <gtest/gtest.h>

#include <vector>

namespace vg {
namespace {

BlockRecord Block(int16_t left, int16_t right, int16_t top, int16_t bottom, bool clickable = true,
                  bool visible = true) {
  BlockRecord b;
  b.BarLeft = left;
  b.BarRight = right;
  b.BarTop = top;
  b.BarBottom = bottom;
  b.Clickable = clickable;
  b.Visible = visible;
  return b;
}

struct Row {
  const char* what;
  std::vector<BlockRecord> blocks;
  int32_t orientation;
  float h_factor, v_factor, x, y;
  int32_t expected;
};

// With factors 2 across and 3 down, block (10, 20, 80, 40) covers x 20..40, y 60..180.
const BlockRecord kA = Block(10, 20, 80, 40);

TEST(HitTest, Rows) {
  const Row rows[] = {
      {"top-left corner", {kA}, 0, 2, 3, 20, 60, 1},
      {"bottom-right corner", {kA}, 0, 2, 3, 40, 180, 1},
      {"left of the left edge", {kA}, 0, 2, 3, 19.99f, 100, -1},
      {"right of the right edge", {kA}, 0, 2, 3, 40.01f, 100, -1},
      {"above the top edge", {kA}, 0, 2, 3, 30, 59.99f, -1},
      {"below the bottom edge", {kA}, 0, 2, 3, 30, 180.01f, -1},
      {"empty space", {kA}, 0, 2, 3, 100, 100, -1},
      {"no blocks", {}, 0, 2, 3, 30, 100, -1},
      {"overlap: the lowest number wins",
       {Block(0, 1, 100, 99), kA, Block(0, 1, 100, 99), Block(0, 1, 100, 99), kA},
       0,
       2,
       3,
       30,
       100,
       2},
      {"clickable but invisible is skipped",
       {Block(10, 20, 80, 40, true, false), kA},
       0,
       2,
       3,
       30,
       100,
       2},
      {"visible but not clickable is skipped",
       {Block(10, 20, 80, 40, false, true)},
       0,
       2,
       3,
       30,
       100,
       -1},
      {"bars not drawn (-1) are never under the pointer",
       {Block(-1, -1, 100, 0)},
       0,
       2,
       3,
       0,
       0,
       -1},
      // From the right: the factors stay; the test does not mirror the block.
      {"from right, same place", {kA}, 1, 2, 3, 20, 60, 1},
      // From the top and bottom the factors are exchanged: x 30..60, y 40..120.
      {"from top, exchanged factors", {kA}, 2, 2, 3, 30, 40, 1},
      {"from top, the unexchanged place misses", {kA}, 2, 2, 3, 20, 130, -1},
      {"from bottom, exchanged factors", {kA}, 3, 2, 3, 60, 120, 1},
      {"unknown orientation exchanges too", {kA}, 7, 2, 3, 30, 40, 1},
      // 7 x 0.1f is 0.70000001043 exactly, which single precision rounds to 0.69999998808
      // (= 0.7f): the left edge is hit although the exact product lies to its right.
      {"single-precision product", {Block(7, 10, 100, 0)}, 0, 0.1f, 1, 0.7f, 50, 1},
      // Top 100 is y 0 whatever the scale; bars near the 16-bit limit do not overflow.
      {"100 - bar in 32 bits", {Block(0, 10, 100, -32768)}, 0, 1, 1, 5, 32868, 1},
  };
  for (const Row& r : rows)
    EXPECT_EQ(HitTestBlocks(r.blocks, r.orientation, r.h_factor, r.v_factor, r.x, r.y), r.expected)
        << r.what;
}

}  // namespace
}  // namespace vg
