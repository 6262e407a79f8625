// The realised-font cache: bounded by bytes, least recently used fonts out first, huge
// glyphs never kept, and fonts it dropped found afresh (never used after being freed).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/gdi/font_cache.h"
#include "platform/gdi/gdi.h"
#include "tests/platform/canvas.h"

namespace vg::gdi {
namespace {

constexpr char kSans[] = "Liberation Sans";

// Restores the default limit and empties the cache after each test.
class FontCacheTest : public ::testing::Test {
 protected:
  void SetUp() override { FlushFontCache(); }
  void TearDown() override {
    SetFontCacheLimit(kDefaultFontCacheBytes);
    FlushFontCache();
  }
  static void Draw(Canvas& c, int height, int escapement, const char* text, int x = 0, int y = 0) {
    SelectedFont font(c.dc, kSans, height, escapement);
    SetBkMode(c.dc, TRANSPARENT);
    SetTextColor(c.dc, RGB(255, 255, 255));
    ExtTextOutA(c.dc, x, y, 0, nullptr, text, static_cast<int>(std::strlen(text)), nullptr);
  }
  // Draws turned text whose baseline starts at about (bx, by): the origin lies one ascent
  // (0.905 of the em, which is realised at 4096 pixels at most) back across the text's
  // direction.
  static void DrawFrom(Canvas& c, int em, int escapement, const char* text, int bx, int by) {
    const double a = escapement / 10.0 * 3.14159265358979 / 180.0;
    const double ascent = 0.905 * std::min(em, 4096);
    Draw(c, -em, escapement, text, static_cast<int>(bx - ascent * std::sin(a)),
         static_cast<int>(by - ascent * std::cos(a)));
  }
  static LOGFONTA Record(int height, int escapement) {
    LOGFONTA lf;
    lf.lfHeight = height;
    lf.lfEscapement = escapement;
    lf.lfWeight = 400;
    std::strncpy(lf.lfFaceName, kSans, kLfFaceSize - 1);
    return lf;
  }
};

TEST_F(FontCacheTest, HugeTurnedTextStaysWithinTheDefaultBound) {
  // A 5000-point caption at 96 dpi (an em of 6667 pixels, realised at the largest size,
  // 4096) turned through a dozen angles: every glyph is larger than a cache may keep.
  EXPECT_EQ(FontCacheLimit(), size_t{64} << 20);
  Canvas c(600, 600);
  size_t most = 0;
  for (int angle = 0; angle < 3600; angle += 300) {
    DrawFrom(c, 6667, angle, "lg", 0, 550);
    most = std::max(most, FontCacheBytes());
    ASSERT_LE(FontCacheBytes(), kDefaultFontCacheBytes) << "angle " << angle / 10;
  }
  RecordProperty("most_bytes_held", std::to_string(most));
  EXPECT_GT(c.Count(RGB(255, 255, 255)), 1000);  // it did draw
}

TEST_F(FontCacheTest, AGlyphTooLargeToKeepDrawsWhatAKeptOneDraws) {
  Canvas kept(300, 300), transient(300, 300);
  SetFontCacheLimit(size_t{1} << 30);  // a glyph of about 1 MB is kept
  DrawFrom(kept, 1000, 450, "&", 0, 250);
  FlushFontCache();
  SetFontCacheLimit(size_t{4} << 20);  // now it is more than a sixteenth of the limit
  DrawFrom(transient, 1000, 450, "&", 0, 250);
  DrawFrom(transient, 1000, 450, "&", 0, 250);  // and again, from the remembered metrics
  DrawFrom(kept, 1000, 450, "&", 0, 250);
  EXPECT_EQ(kept.Copy(), transient.Copy());
  EXPECT_GT(kept.Count(RGB(255, 255, 255)), 100);
  EXPECT_LE(FontCacheBytes(), size_t{4} << 20);
}

TEST_F(FontCacheTest, TheLeastRecentlyUsedFontGoesFirst) {
  // Four fonts alike in size (quarter turns of one face and height), so that room for one
  // more means dropping exactly one.
  Canvas c(200, 200);
  const char* text = "Quarter";
  Draw(c, -60, 0, text, 100, 100);
  const size_t one = FontCacheBytes();
  Draw(c, -60, 900, text, 100, 100);
  const size_t per_font = FontCacheBytes() - one;
  Draw(c, -60, 1800, text, 100, 100);
  Draw(c, -60, 0, text, 100, 100);  // the first is used again: now the second is oldest
  ASSERT_GT(per_font, size_t{10000});
  SetFontCacheLimit(FontCacheBytes() + per_font / 2);
  Draw(c, -60, 2700, text, 100, 100);
  EXPECT_TRUE(detail::FontCached(Record(-60, 0)));
  EXPECT_FALSE(detail::FontCached(Record(-60, 900)));
  EXPECT_TRUE(detail::FontCached(Record(-60, 1800)));
  EXPECT_TRUE(detail::FontCached(Record(-60, 2700)));
  EXPECT_LE(FontCacheBytes(), FontCacheLimit());
}

TEST_F(FontCacheTest, FontsTheBoundDroppedAreFoundAfreshAndDrawTheSame) {
  // One font object stays selected while many others push its realised form out; drawing
  // with it again must not touch what was freed (the sanitizer build checks) and must draw
  // what it drew first.
  Canvas first(160, 60), again(160, 60), scratch(160, 60);
  SelectedFont keep(again.dc, kSans, -30, 0);
  Draw(first, -30, 0, "Kept font");
  SetBkMode(again.dc, TRANSPARENT);
  SetTextColor(again.dc, RGB(255, 255, 255));
  SIZE before;
  GetTextExtentPoint32A(again.dc, "Kept font", 9, &before);
  SetFontCacheLimit(size_t{2} << 20);
  for (int angle = 10; angle < 3600; angle += 50) Draw(scratch, -40, angle, "Push out");
  EXPECT_FALSE(detail::FontCached(Record(-30, 0)));
  EXPECT_LE(FontCacheBytes(), size_t{2} << 20);
  ExtTextOutA(again.dc, 0, 0, 0, nullptr, "Kept font", 9, nullptr);
  EXPECT_EQ(first.Copy(), again.Copy());
  SIZE after;
  GetTextExtentPoint32A(again.dc, "Kept font", 9, &after);
  EXPECT_EQ(after.cx, before.cx);
  EXPECT_EQ(after.cy, before.cy);
}

TEST_F(FontCacheTest, ALowerLimitTakesEffectAtOnceAndNoLimitStopsDrawing) {
  Canvas c(100, 100), uncached(100, 100);
  for (int angle = 0; angle < 3600; angle += 400) Draw(c, -50, angle, "Limit", 50, 50);
  const size_t held = FontCacheBytes();
  SetFontCacheLimit(held / 2);
  EXPECT_LE(FontCacheBytes(), held / 2);
  // With no room at all nothing is kept, and everything still draws.
  SetFontCacheLimit(0);
  for (int angle = 0; angle < 3600; angle += 400) Draw(uncached, -50, angle, "Limit", 50, 50);
  EXPECT_EQ(uncached.Copy(), c.Copy());
  EXPECT_FALSE(detail::FontCached(Record(-50, 0)));
}

}  // namespace
}  // namespace vg::gdi

#include <fontconfig/fontconfig.h>

namespace vg::gdi {
namespace {

TEST(FontConfiguration, AliasesGoIntoTheProcessConfigurationNotASecondOne) {
  // Realising a font adds our aliases to the configuration the process already uses (a
  // toolkit's), instead of loading a second one of its own.
  Canvas canvas(20, 10);
  LOGFONTA lf;
  lf.lfHeight = -11;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "MS Sans Serif");
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ old = SelectObject(canvas.dc, font);
  SIZE size;
  ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc, "x", 1, &size));
  SelectObject(canvas.dc, old);
  DeleteObject(font);

  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("MS Sans Serif"));
  ASSERT_TRUE(FcConfigSubstitute(FcConfigGetCurrent(), pattern, FcMatchPattern));
  // Our aliases, in their order, ahead of the family asked for.
  const char* expected[] = {"Liberation Sans", "Arimo", "Arial", "MS Sans Serif"};
  for (int i = 0; i < 4; ++i) {
    FcChar8* family = nullptr;
    ASSERT_EQ(FcPatternGetString(pattern, FC_FAMILY, i, &family), FcResultMatch);
    EXPECT_STREQ(reinterpret_cast<const char*>(family), expected[i]) << i;
  }
  FcPatternDestroy(pattern);
}

}  // namespace
}  // namespace vg::gdi
