// The hit test row by row, beside the geometry tests' table walks: the edges those leave
// out, vgFromRight and vgFromBottom, and a product that only single precision hits.
#include <gtest/gtest.h>

#include <vector>

#include "control/block_table.h"
#include "control/geometry.h"

namespace vg {
namespace {

struct Bars {
  int16_t left, right, top, bottom;
};

struct Row {
  const char* what;
  std::vector<Bars> blocks;
  int32_t orientation;
  ScaleFactors factors;
  float x, y;
  int32_t expected;
};

int32_t Hit(const Row& r) {
  BlockTable table;
  for (const Bars& b : r.blocks) {
    table.Add(nullptr);
    BlockRecord& rec = table.At(table.count());
    rec.BarLeft = b.left;
    rec.BarRight = b.right;
    rec.BarTop = b.top;
    rec.BarBottom = b.bottom;
  }
  return HitTest(table, r.orientation, r.factors, r.x, r.y);
}

// With factors 2 across and 3 down, block (10, 20, 80, 40) covers x 20..40, y 60..180.
const Bars kA = {10, 20, 80, 40};

TEST(HitTestRows, EdgesOrientationsAndSinglePrecision) {
  const Row rows[] = {
      {"top-left corner", {kA}, 0, {2, 3}, 20, 60, 1},
      {"left of the left edge", {kA}, 0, {2, 3}, 19.99f, 100, -1},
      {"above the top edge", {kA}, 0, {2, 3}, 30, 59.99f, -1},
      // From the right the factors stay and the block is not mirrored.
      {"from right, same place", {kA}, 1, {2, 3}, 20, 60, 1},
      // From the bottom the factors change places: x 30..60, y 40..120.
      {"from bottom", {kA}, 3, {2, 3}, 60, 120, 1},
      // 7 x 0.1f is 0.70000001043 exactly, which single precision rounds down to
      // 0.69999998808 (= 0.7f): the left edge is hit although the exact product lies to
      // the right of the pointer.
      {"single-precision product", {{7, 10, 100, 0}}, 0, {0.1f, 1}, 0.7f, 50, 1},
  };
  for (const Row& r : rows) EXPECT_EQ(Hit(r), r.expected) << r.what;
}

}  // namespace
}  // namespace vg
