// Text of the raster device: where underline and strike-out lie, how glyph coverage is
// blended, how UTF-8 is read. Widths and line positions come from the sans face's own
// metrics (Liberation Sans: 2048 units an em; underline 142 below the baseline and 150
// thick; strike-out 530 above it; hinted ascent and descent rounded up).
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/gdi.h"
#include "tests/platform/canvas.h"

namespace vg::gdi {
namespace {

constexpr char kSans[] = "Liberation Sans";
constexpr COLORREF kInk = RGB(255, 0, 0);

int Width(HDC dc, const std::string& text) {
  SIZE size;
  EXPECT_TRUE(GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size));
  return size.cx;
}

// The rows of column x holding `color`, top to bottom.
std::vector<int> RowsOf(const Canvas& c, int x, COLORREF color) {
  std::vector<int> rows;
  PixelView v = GetPixels(c.dc);
  for (int y = 0; y < v.height; ++y)
    if (v.pixels[static_cast<size_t>(y) * v.width + x] == color) rows.push_back(y);
  return rows;
}

TEST(TextLines, UnderlineAndStrikeOutLieWhereTheFontMetricsPutThem) {
  // At a 40-pixel em: ascent 37 (36.2 rounded up), so the baseline of text drawn at y = 2
  // is row 39. Underline: round(142 x 40 / 2048) = 3 below it, round(150 x 40 / 2048) = 3
  // thick: rows 42..44. Strike-out: round(530 x 40 / 2048) = 10 above it: rows 29..31.
  // Spaces have no ink of their own, so the lines are all there is.
  struct Row {
    bool underline, strike_out;
    std::vector<int> rows;
  };
  for (const Row& row : {Row{true, false, {42, 43, 44}}, Row{false, true, {29, 30, 31}},
                         Row{true, true, {29, 30, 31, 42, 43, 44}}, Row{false, false, {}}}) {
    Canvas c(80, 60);
    SelectedFont font(c.dc, kSans, -40, 0, row.underline, row.strike_out);
    SetBkMode(c.dc, TRANSPARENT);
    SetTextColor(c.dc, kInk);
    const int cx = Width(c.dc, "   ");
    ASSERT_GT(cx, 20);
    ASSERT_TRUE(ExtTextOutA(c.dc, 5, 2, 0, nullptr, "   ", 3, nullptr));
    EXPECT_EQ(RowsOf(c, 5, kInk), row.rows);           // the line starts at the pen's start
    EXPECT_EQ(RowsOf(c, 5 + cx - 1, kInk), row.rows);  // and ends with the last advance
    EXPECT_TRUE(RowsOf(c, 4, kInk).empty());
    EXPECT_TRUE(RowsOf(c, 5 + cx, kInk).empty());
    EXPECT_EQ(c.Count(kInk), static_cast<int>(row.rows.size()) * cx);
  }
}

TEST(TextBlend, CoverageMixesTextAndBackgroundRoundedToNearest) {
  // White on black gives each pixel's coverage itself; the same glyphs in another colour
  // over another background must give background + (text - background) x coverage / 255
  // in each channel, rounded to the nearest integer.
  Canvas cover(60, 40), mixed(60, 40);
  const COLORREF text = RGB(200, 100, 7), back = RGB(10, 241, 130);
  mixed.Fill({0, 0, 60, 40}, back);
  for (Canvas* c : {&cover, &mixed}) {
    SelectedFont font(c->dc, kSans, -30, 0);
    SetBkMode(c->dc, TRANSPARENT);
    SetTextColor(c->dc, c == &cover ? RGB(255, 255, 255) : text);
    ExtTextOutA(c->dc, 2, 2, 0, nullptr, "&@e", 3, nullptr);
  }
  auto mix = [](int b, int t, int a) { return (b * (255 - a) + t * a + 127) / 255; };
  const std::vector<COLORREF> a = cover.Copy(), m = mixed.Copy();
  int partial = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    const int alpha = GetRValue(a[i]);
    ASSERT_EQ(a[i], RGB(alpha, alpha, alpha));
    partial += alpha > 0 && alpha < 255;
    const COLORREF want = RGB(mix(GetRValue(back), GetRValue(text), alpha),
                              mix(GetGValue(back), GetGValue(text), alpha),
                              mix(GetBValue(back), GetBValue(text), alpha));
    ASSERT_EQ(m[i], want) << "pixel " << i << ", coverage " << alpha;
  }
  EXPECT_GT(partial, 100);
  // One mix by hand: coverage 128 of 200 over 10 is 10 + 190 x 128 / 255 = 105.37 -> 105;
  // of 7 over 130 it is 68.25 -> 68; of 100 over 241, 170.22 -> 170.
  EXPECT_EQ(RGB(mix(10, 200, 128), mix(241, 100, 128), mix(130, 7, 128)), RGB(105, 170, 68));
}

TEST(TextDecoding, UtfEightCharactersMeasureAsTheirGlyphs) {
  // At a 20-pixel em: "e", U+00E9 and U+20AC advance 704/64 = 11 pixels, "I" 6; a broken
  // sequence reads as U+FFFD, which the face draws as its 7-pixel missing-glyph box.
  Canvas c(10, 10);
  SelectedFont font(c.dc, kSans, -20);
  struct Row {
    std::string text;
    int width;
  };
  for (const Row& row : {Row{"e", 11}, Row{"\xC3\xA9", 11}, Row{"\xE2\x82\xAC", 11}, Row{"I", 6},
                         Row{"I\xC3\xA9\xE2\x82\xAC", 28}, Row{"\xC3", 7}, Row{"\xE2\x82", 7},
                         Row{"\xA9", 7}, Row{"\xC3\xA9\xA9", 18}}) {
    EXPECT_EQ(Width(c.dc, row.text), row.width) << row.text;
  }
}

TEST(TextDecoding, AnAccentedCharacterDrawsItsOwnGlyph) {
  // U+00E9 is "e" with an accent above: the same pixels below the x-height, more above.
  Canvas plain(30, 30), accented(30, 30);
  for (auto [c, text] : {std::pair{&plain, "e"}, std::pair{&accented, "\xC3\xA9"}}) {
    SelectedFont font(c->dc, kSans, -20);
    SetBkMode(c->dc, TRANSPARENT);
    SetTextColor(c->dc, RGB(255, 255, 255));
    ExtTextOutA(c->dc, 2, 2, 0, nullptr, text, static_cast<int>(std::strlen(text)), nullptr);
  }
  const std::vector<COLORREF> e = plain.Copy(), ea = accented.Copy();
  int above = 0, below_differs = 0;
  // The x-height of the face at 20 pixels is about 10.6: rows from the baseline up to 10
  // are the letter's own in both.
  const int baseline = 2 + 19;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const size_t i = static_cast<size_t>(y) * 30 + x;
      if (y < baseline - 12) above += ea[i] != 0 && e[i] == 0;
      if (y > baseline - 10) below_differs += ea[i] != e[i];
    }
  EXPECT_GT(above, 5);
  EXPECT_EQ(below_differs, 0);
}

}  // namespace
}  // namespace vg::gdi
