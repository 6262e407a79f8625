// Text laid out once and drawn from its layout paints exactly what ExtTextOutA paints and
// measures what GetTextExtentPoint32A measures: plain, turned, underlined and struck-out
// fonts, both background modes, clipped, non-ASCII and broken UTF-8, texts longer than a
// layout keeps, oversized glyphs, and layouts whose glyphs went before they were drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "tests/platform/canvas.h"

namespace vg::gdi {
namespace {

struct FontRow {
  const char* face;
  int height, escapement, weight;
  bool underline, strike;
};

HFONT MakeFont(const FontRow& row) {
  LOGFONTA lf;
  lf.lfHeight = row.height;
  lf.lfEscapement = row.escapement;
  lf.lfWeight = row.weight;
  lf.lfUnderline = row.underline ? 1 : 0;
  lf.lfStrikeOut = row.strike ? 1 : 0;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", row.face);
  return CreateFontIndirectA(&lf);
}

// Draws `text` twice (an embossed copy one pixel up and left, then the text) on a fresh
// canvas, through ExtTextOutA or through one layout; returns the pixels.
std::vector<COLORREF> Draw(const FontRow& row, const std::string& text, int bk_mode,
                           const RECT* clip, bool laid_out, bool flush_between, SIZE* size,
                           int at_y = 20) {
  Canvas canvas(120, 60);
  canvas.Fill({0, 0, 120, 60}, RGB(30, 90, 160));
  HFONT font = MakeFont(row);
  HGDIOBJ old = SelectObject(canvas.dc, font);
  SetBkMode(canvas.dc, bk_mode);
  SetBkColor(canvas.dc, RGB(250, 250, 0));
  const int n = static_cast<int>(text.size());
  const uint32_t options = clip ? ETO_CLIPPED : 0;
  TextLayout layout;
  if (laid_out) {
    EXPECT_TRUE(LayoutTextA(canvas.dc, text.data(), n, &layout));
    *size = layout.size;
    if (flush_between) FlushFontCache();
  } else {
    EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc, text.data(), n, size));
  }
  for (int pass = 0; pass < 2; ++pass) {
    SetTextColor(canvas.dc, pass == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0));
    const int at = 20 - (pass == 0 ? 1 : 0), y = at_y - (pass == 0 ? 1 : 0);
    if (laid_out)
      ExtTextOutLayout(canvas.dc, at, y, options, clip, layout);
    else
      ExtTextOutA(canvas.dc, at, y, options, clip, text.data(), n, nullptr);
  }
  std::vector<COLORREF> pixels = canvas.Copy();
  SelectObject(canvas.dc, old);
  DeleteObject(font);
  return pixels;
}

TEST(TextLayout, DrawsAndMeasuresAsExtTextOutAndGetTextExtent) {
  const FontRow fonts[] = {{"Arial", -11, 0, 400, false, false},
                           {"MS Sans Serif", -13, 0, 700, true, true},
                           {"Arial", -14, 450, 400, true, false},
                           {"Arial", -12, 2700, 700, false, true}};
  const std::string long_text(kMaxLaidOutChars + 5, 'W');
  const std::string texts[] = {"Process is 50 % complete",
                               "Gr\xC3\xBC\xC3\x9F"
                               "e \xE2\x82\xAC 1",
                               "bad \xFF\xC3 bytes", "", long_text};
  const RECT clip{25, 22, 90, 34};
  for (const FontRow& font : fonts)
    for (const std::string& text : texts)
      for (int mode : {TRANSPARENT, OPAQUE})
        for (const RECT* c : {static_cast<const RECT*>(nullptr), &clip})
          for (bool flush : {false, true}) {
            SIZE plain_size, layout_size;
            const auto plain = Draw(font, text, mode, c, false, false, &plain_size);
            const auto laid = Draw(font, text, mode, c, true, flush, &layout_size);
            const std::string what = std::string(font.face) + " esc " +
                                     std::to_string(font.escapement) + " \"" + text.substr(0, 30) +
                                     "\" mode " + std::to_string(mode) + (c ? " clipped" : "") +
                                     (flush ? " flushed" : "");
            EXPECT_EQ(layout_size.cx, plain_size.cx) << what;
            EXPECT_EQ(layout_size.cy, plain_size.cy) << what;
            ASSERT_EQ(laid, plain) << what;
          }
}

// The largest difference of one channel between two pictures.
int LargestDifference(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  int most = 0;
  for (size_t i = 0; i < a.size(); ++i)
    for (int shift : {0, 8, 16})
      most = std::max(most, std::abs(static_cast<int>((a[i] >> shift) & 0xFF) -
                                     static_cast<int>((b[i] >> shift) & 0xFF)));
  return most;
}

TEST(TextLayout, OversizedGlyphsDrawAsKeptGlyphsDo) {
  // Glyphs too large to keep are rendered per call; those of several megabytes only where
  // they meet the clip. Through ExtTextOutA and through a layout, plain, turned, clipped and
  // cut by the canvas's edges, the pixels must be those of whole glyphs kept in a cache large
  // enough: exactly, except that a cut glyph's curved edges may differ by a level or two
  // where the rasteriser splits a cut curve otherwise.
  struct Row {
    FontRow font;
    size_t limit;  // of the cache while drawing oversized glyphs
    int tolerance;
    int y;  // where the text's cell starts: the huge glyphs' tops are on the canvas
  };
  const Row rows[] = {{{"Arial", -40, 0, 400, false, false}, 16 * 64, 0, 20},
                      {{"Arial", -90, 0, 700, true, false}, 16 * 64, 0, 0},
                      {{"Arial", -40, 300, 400, false, true}, 16 * 64, 0, 20},
                      {{"Arial", -2600, 0, 400, false, false}, size_t{16} << 20, 2, -580},
                      {{"Arial", -2400, 0, 700, false, false}, size_t{16} << 20, 2, -530}};
  const RECT clip{25, 22, 90, 34};
  const size_t limit = FontCacheLimit();
  for (const Row& row : rows)
    for (const RECT* c : {static_cast<const RECT*>(nullptr), &clip})
      for (bool laid_out : {false, true}) {
        SIZE kept_size, oversized_size;
        FlushFontCache();
        SetFontCacheLimit(size_t{1} << 30);
        const auto kept =
            Draw(row.font, "Wa\xC3\xBC", OPAQUE, c, laid_out, false, &kept_size, row.y);
        FlushFontCache();
        SetFontCacheLimit(row.limit);
        const auto oversized =
            Draw(row.font, "Wa\xC3\xBC", OPAQUE, c, laid_out, false, &oversized_size, row.y);
        SetFontCacheLimit(limit);
        const std::string what = std::to_string(row.font.height) + " esc " +
                                 std::to_string(row.font.escapement) + (c ? " clipped" : "") +
                                 (laid_out ? " laid out" : "");
        EXPECT_GT(kept_size.cx, 0) << what;
        EXPECT_EQ(oversized_size.cx, kept_size.cx) << what;
        EXPECT_LE(LargestDifference(oversized, kept), row.tolerance) << what;
        EXPECT_GT(std::count(kept.begin(), kept.end(), RGB(0, 0, 0)), 20) << what;
      }
  FlushFontCache();
}

TEST(TextLayout, RefusesWhatExtTextOutRefuses) {
  Canvas canvas(10, 10);
  TextLayout layout;
  EXPECT_FALSE(LayoutTextA(0xBAD, "x", 1, &layout));
  EXPECT_FALSE(LayoutTextA(canvas.dc, nullptr, 3, &layout));
  EXPECT_FALSE(LayoutTextA(canvas.dc, "x", -1, &layout));
  EXPECT_FALSE(LayoutTextA(canvas.dc, "x", 1, nullptr));
  EXPECT_FALSE(ExtTextOutLayout(0xBAD, 0, 0, 0, nullptr, layout));
}

}  // namespace
}  // namespace vg::gdi
