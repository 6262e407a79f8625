// DrawBitmap: placement, cutting and the three tiling modes.
#include "platform/host/picture_box.h"
#include "tests/surface/surface_fixture.h"

namespace vg {
namespace {

constexpr COLORREF kBack = RGB(1, 1, 1);

// A picture whose pixel (x, y) is RGB(x, y, 200): every copied pixel tells where it came from.
StdPictureRef Pattern(int w, int h) {
  std::vector<COLORREF> pixels(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(y) * w + x] = RGB(x, y, 200);
  return StdPicture::FromPixels(w, h, std::move(pixels));
}

class PictureTest : public SurfaceTest {
 public:
  void SetUp() override {
    SurfaceTest::SetUp();
    box_ = std::make_unique<PictureBox>();
  }
  void TearDown() override {
    box_.reset();
    pictures_.clear();
    SurfaceTest::TearDown();
  }
  std::unique_ptr<OffScreenDC> Draw(int w, int h, int pw, int ph, int tile, int alignment,
                                    int offset, int rivets = 0) {
    auto dc = Make(w, h);
    Fill(*dc, 0, 0, w, h, kBack);
    SetRect(*dc, 0, 0, w, h);
    dc->put_PictureTile(tile);
    dc->put_PictureAlignment(alignment);
    dc->put_PictureOffset(static_cast<int16_t>(offset));
    dc->put_RivetsStyle(static_cast<int16_t>(rivets));
    pictures_.push_back(Pattern(pw, ph));
    box_->SetPicture(pictures_.back());
    dc->DrawBitmap(*box_);
    box_->Clear();
    return dc;
  }
  // The picture pixel at (x, y) of the surface, as (px, py), or (-1, -1) for background.
  static std::pair<int, int> Source(const OffScreenDC& dc, int x, int y) {
    COLORREF c = At(dc, x, y);
    if (c == kBack) return {-1, -1};
    return {GetRValue(c), GetGValue(c)};
  }
  std::unique_ptr<PictureBox> box_;
  std::vector<StdPictureRef> pictures_;
};

using P = std::pair<int, int>;

TEST_F(PictureTest, OneCopyPlacedByAlignment) {
  auto centre = Draw(100, 20, 16, 16, 0, 0, 3);
  EXPECT_EQ(Source(*centre, 42, 2), P(0, 0));
  EXPECT_EQ(Source(*centre, 57, 17), P(15, 15));
  EXPECT_EQ(Source(*centre, 41, 2), P(-1, -1));
  EXPECT_EQ(Source(*centre, 58, 2), P(-1, -1));
  auto top_right = Draw(100, 20, 16, 16, 0, 5, 4);
  EXPECT_EQ(Source(*top_right, 80, 4), P(0, 0));
  EXPECT_EQ(Source(*top_right, 95, 19), P(15, 15));
  auto bottom_left = Draw(100, 40, 16, 16, 0, 7, 2);
  EXPECT_EQ(Source(*bottom_left, 2, 40 - 2 - 16), P(0, 0));
  auto unknown = Draw(100, 20, 16, 16, 0, 9, 3);  // outside 0..8: at the origin
  EXPECT_EQ(Source(*unknown, 0, 0), P(0, 0));
}

TEST_F(PictureTest, ALargerPictureIsCutFromItsUpperLeftCorner) {
  auto dc = Draw(100, 20, 200, 50, 0, 8, 0);  // bottom right, no offset
  EXPECT_EQ(Source(*dc, 0, 0), P(0, 0));
  EXPECT_EQ(Source(*dc, 99, 19), P(99, 19));
}

TEST_F(PictureTest, HorizontalTilesEndWithACutCopy) {
  auto dc = Draw(100, 20, 30, 10, 1, 4, 9);  // alignment and offset are ignored
  for (int d : {0, 30, 60, 90}) EXPECT_EQ(Source(*dc, d, 5), P(0, 0)) << d;
  EXPECT_EQ(Source(*dc, 89, 14), P(29, 9));
  EXPECT_EQ(Source(*dc, 99, 5), P(9, 0));
  EXPECT_EQ(Source(*dc, 50, 4), P(-1, -1));  // centred vertically: rows 5..14
  EXPECT_EQ(Source(*dc, 50, 15), P(-1, -1));
}

TEST_F(PictureTest, VerticalTilesAreCentredHorizontally) {
  auto dc = Draw(40, 50, 10, 20, 2, 0, 0);
  for (int d : {0, 20, 40}) EXPECT_EQ(Source(*dc, 15, d), P(0, 0)) << d;
  EXPECT_EQ(Source(*dc, 24, 49), P(9, 9));
  EXPECT_EQ(Source(*dc, 14, 10), P(-1, -1));
}

TEST_F(PictureTest, BothTilesCoverTheArea) {
  auto dc = Draw(100, 45, 30, 20, 3, 0, 0);
  for (int y = 0; y < 45; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(Source(*dc, x, y), P(x % 30, y % 20)) << x << "," << y;
}

TEST_F(PictureTest, RivetsShrinkTheAreaBySevenPixels) {
  auto dc = Draw(100, 40, 16, 16, 0, 4, 0, 1);  // top left
  EXPECT_EQ(Source(*dc, 7, 7), P(0, 0));
  EXPECT_EQ(Source(*dc, 6, 7), P(-1, -1));
  auto tiled = Draw(100, 40, 10, 10, 3, 0, 0, 2);
  EXPECT_EQ(Source(*tiled, 7, 7), P(0, 0));
  EXPECT_EQ(Source(*tiled, 92, 32), P(5, 5));
  EXPECT_EQ(Source(*tiled, 93, 20), P(-1, -1));
}

TEST_F(PictureTest, EmptyPicturesAndUnknownTilingCopyNothing) {
  auto dc = Make(40, 20);
  Fill(*dc, 0, 0, 40, 20, kBack);
  box_->SetPicture(StdPicture::Empty());
  dc->put_PictureTile(3);
  dc->DrawBitmap(*box_);
  box_->SetPicture(nullptr);
  dc->DrawBitmap(*box_);
  auto other = Draw(40, 20, 8, 8, 7, 0, 0);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      EXPECT_EQ(At(*dc, x, y), kBack);
      EXPECT_EQ(At(*other, x, y), kBack);
    }
}

TEST_F(PictureTest, AHugeAreaWithATinyPictureStaysCheap) {
  auto dc = Make(50, 50);
  SetRect(*dc, -2000000000, -2000000000, 2000000000, 2000000000);
  dc->put_PictureTile(3);
  pictures_.push_back(Pattern(1, 1));
  box_->SetPicture(pictures_.back());
  dc->DrawBitmap(*box_);  // must finish at once
  box_->Clear();
  EXPECT_EQ(Source(*dc, 25, 25), P(0, 0));
}

}  // namespace
}  // namespace vg
