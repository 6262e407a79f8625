// Drawing on rectangles whose edges reach the 32-bit limits, with border widths at the
// 16-bit limits: what lies on the surface is drawn as the rules say, and no arithmetic
// overflows on the way (the sanitizer build turns an overflow into a failure).
#include <climits>

#include "platform/host/picture_box.h"
#include "tests/surface/surface_fixture.h"

namespace vg {
namespace {

constexpr COLORREF kMarker = RGB(1, 2, 3);
constexpr COLORREF kBlack = 0x000000, kWhite = 0xFFFFFF, kGrey = 0x808080, kLight = 0xC0C0C0;

using ExtremeTest = SurfaceTest;

TEST_F(ExtremeTest, AGradientWhoseLeftEdgeLiesBeyondTheLimit) {
  // A negative border width moves the gradient's edges outward, past INT_MIN on the left.
  // Top to bottom over rows -5..25 in 8 bands of 3.75: edges -5, -1.25, 2.5, 6.25, 10,
  // 13.75, 17.5, 21.25 round to -5, -1, 2, 6, 10, 14, 18, 21 (ties to even).
  auto dc = Make(40, 20);
  dc->put_BorderWidth(-5);
  SetRect(*dc, INT_MIN, 0, 40, 20);
  dc->put_GradientStyle(3);
  dc->put_GradientGranularity(4);
  dc->put_GradientColor(0x000000);
  dc->put_GradientColorEnd(0xFFFFFF);
  dc->FillRectangle();
  const int level_of_row[20] = {32,  32,  64,  64,  64,  64,  96,  96,  96,  96,
                                128, 128, 128, 128, 159, 159, 159, 159, 191, 191};
  for (int y = 0; y < 20; ++y)
    for (int x : {0, 20, 39}) EXPECT_EQ(At(*dc, x, y), Grey(level_of_row[y])) << x << "," << y;
}

TEST_F(ExtremeTest, RivetsOfARectangleFromTheLowerLimit) {
  // Border width -5: the lower right rivet sits at 20 + 5 - 7 = 18; the others, and the
  // middle ones of the "Ext" style, lie near INT_MIN.
  for (int16_t style : {1, 3}) {
    auto dc = Make(40, 20);
    Fill(*dc, 0, 0, 40, 20, kMarker);
    dc->put_BorderWidth(-5);
    dc->put_RivetsStyle(style);
    Fill(*dc, INT_MIN, INT_MIN, 20, 20, kMarker);
    EXPECT_EQ(At(*dc, 18, 18), kLight);
    EXPECT_EQ(At(*dc, 17, 17), kWhite);
    EXPECT_EQ(At(*dc, 18, 17), kWhite);
    EXPECT_EQ(At(*dc, 19, 18), kGrey);
    EXPECT_EQ(At(*dc, 19, 19), kGrey);
    int others = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) others += (x < 17 || y < 17) && At(*dc, x, y) != kMarker;
    EXPECT_EQ(others, 0) << style;
  }
}

TEST_F(ExtremeTest, AnEtchedFrameWhoseLeftEdgeIsTheLowerLimit) {
  // As on (0, 0, 100, 20), with the left line and the white line's end at INT_MIN - 1.
  auto dc = Make(40, 20);
  Fill(*dc, 0, 0, 40, 20, kMarker);
  SetRect(*dc, INT_MIN, 0, 40, 20);
  dc->put_BorderStyle(4);
  dc->put_BorderWidth(1);
  dc->DrawBorder();
  for (int x = 0; x < 38; ++x) {
    EXPECT_EQ(At(*dc, x, 0), kBlack) << x;
    EXPECT_EQ(At(*dc, x, 1), kWhite) << x;
    EXPECT_EQ(At(*dc, x, 2), kMarker) << x;
    EXPECT_EQ(At(*dc, x, 18), kBlack) << x;
    EXPECT_EQ(At(*dc, x, 19), kWhite) << x;
  }
  for (int y = 1; y < 18; ++y) {
    EXPECT_EQ(At(*dc, 38, y), kBlack) << y;
    EXPECT_EQ(At(*dc, 39, y), kWhite) << y;
  }
}

TEST_F(ExtremeTest, TurnedTextCentredOnTheWholeRange) {
  // (INT_MIN, INT_MIN)-(INT_MAX, INT_MAX) has its centre at (-0.5, -0.5), as has
  // (-1001, -1000)-(1000, 999): both place the turned text alike, and both clip beyond the
  // surface.
  StdFontRef font = StdFont::Create("MS Sans Serif", 8.25);
  font->hFont();
  auto draw = [&](int l, int t, int r, int b) {
    auto dc = Make(40, 20);
    Fill(*dc, 0, 0, 40, 20, kMarker);
    SetRect(*dc, l, t, r, b);
    dc->putref_TextFont(font);
    dc->put_Text("Overflow");
    dc->put_TextAngle(90);
    dc->DisplayText();
    return dc;
  };
  auto huge = draw(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  auto small = draw(-1001, -1000, 1000, 999);
  int inked = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      ASSERT_EQ(At(*huge, x, y), At(*small, x, y)) << x << "," << y;
      inked += At(*huge, x, y) != kMarker;
    }
  EXPECT_GT(inked, 0);
}

// Every drawing operation on rectangles made of limit values, with border widths at the
// 16-bit limits and every rivet style: nothing may overflow, and rectangles lying wholly
// beyond the surface's right or bottom edge draw nothing (their lines and rivets move only
// further away).
TEST_F(ExtremeTest, EveryOperationOnLimitRectangles) {
  StdFontRef font = StdFont::Create("Arial", 10);
  font->hFont();
  std::vector<COLORREF> pixels(4, RGB(9, 9, 9));
  StdPictureRef picture = StdPicture::FromPixels(2, 2, std::move(pixels));
  PictureBox box;
  box.SetPicture(picture);
  const int32_t edges[] = {INT_MIN, INT_MIN + 3, 0, 30, INT_MAX - 3, INT_MAX};
  auto dc = Make(40, 20);
  dc->putref_TextFont(font);
  dc->put_Text("Limit");
  dc->put_PictureOffset(INT16_MIN);
  int n = 0;
  for (int32_t l : edges)
    for (int32_t t : edges)
      for (int32_t r : edges)
        for (int32_t b : edges)
          for (int bw : {INT16_MIN, 1, INT16_MAX}) {
            ++n;
            const bool beyond = l >= 40 && r >= 40 && t >= 20 && b >= 20 && bw >= 0;
            dc->put_GradientStyle(0);
            dc->put_RivetsStyle(0);
            Fill(*dc, 0, 0, 40, 20, kMarker);
            SetRect(*dc, l, t, r, b);
            dc->put_BorderWidth(static_cast<int16_t>(bw));
            dc->put_RivetsStyle(static_cast<int16_t>(n % 6));
            dc->put_GradientStyle(n % 13);
            dc->put_BorderStyle(1 + n % 7);
            dc->put_TextAutoAngle(n % 3);
            dc->put_TextAngle(static_cast<int16_t>(n % 2 ? 0 : 45));
            dc->put_TextAlignment(n % 9);
            dc->put_TextOffset(static_cast<int16_t>(n % 2 ? INT16_MAX : INT16_MIN));
            dc->put_Font3D(n % 5);
            dc->put_PictureTile(n % 4);
            dc->put_PictureAlignment(n % 9);
            dc->FillRectangle();
            dc->DrawBorder();
            dc->FillEllipse();
            dc->DisplayText();
            dc->DrawBitmap(box);
            if (!beyond) continue;
            for (int y = 0; y < 20; ++y)
              for (int x = 0; x < 40; ++x)
                ASSERT_EQ(At(*dc, x, y), kMarker) << l << " " << t << " " << r << " " << b;
          }
  box.Clear();
}

}  // namespace
}  // namespace vg
