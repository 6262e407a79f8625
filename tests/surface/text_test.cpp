// DisplayText: placement computed from measured extents, turning, embossing and clipping.
// Each case is checked against a reference drawn with the device's own text call at the
// position the placement rule gives.
#include <cmath>
#include <cstring>

#include "platform/automation/numeric.h"
#include "tests/surface/surface_fixture.h"

namespace vg {
namespace {

constexpr COLORREF kBack = RGB(192, 192, 192);
constexpr COLORREF kInk = RGB(0, 0, 128);

class TextTest : public SurfaceTest {
 public:
  void SetUp() override {
    SurfaceTest::SetUp();
    font_ = StdFont::Create("MS Sans Serif", 8.25);
    font_->hFont();  // made before the count is taken: the font object owns it
    start_ = gdi::LiveObjectCount();
  }
  void TearDown() override {
    SurfaceTest::TearDown();
    font_.reset();
  }

  // A surface of w x h in the background colour with the text attributes set.
  std::unique_ptr<OffScreenDC> Surface(int w, int h, const std::string& text) {
    auto dc = Make(w, h);
    Fill(*dc, 0, 0, w, h, kBack);
    dc->putref_TextFont(font_);
    dc->put_Text(text);
    dc->put_TextColor(static_cast<int32_t>(kInk));
    return dc;
  }

  // Width and height of `text` in `font` (an unturned font handle).
  gdi::SIZE Measure(gdi::HFONT font, const std::string& text) {
    auto dc = Make(1, 1);
    gdi::HGDIOBJ old = gdi::SelectObject(dc->MemDC(), font);
    gdi::SIZE size;
    gdi::GetTextExtentPoint32A(dc->MemDC(), text.data(), static_cast<int>(text.size()), &size);
    gdi::SelectObject(dc->MemDC(), old);
    return size;
  }

  // The reference: text at (x, y) clipped to `clip`, with an optional embossed copy.
  void Reference(OffScreenDC& dc, gdi::HFONT font, int x, int y, gdi::RECT clip,
                 COLORREF copy_color = 0, int shift = 0) {
    gdi::HGDIOBJ old = gdi::SelectObject(dc.MemDC(), font);
    gdi::SetBkMode(dc.MemDC(), gdi::TRANSPARENT);
    const std::string& t = dc.get_Text();
    if (shift != 0) {
      gdi::SetTextColor(dc.MemDC(), copy_color);
      gdi::ExtTextOutA(dc.MemDC(), x + shift, y + shift, gdi::ETO_CLIPPED, &clip, t.data(),
                       static_cast<int>(t.size()), nullptr);
    }
    gdi::SetTextColor(dc.MemDC(), kInk);
    gdi::ExtTextOutA(dc.MemDC(), x, y, gdi::ETO_CLIPPED, &clip, t.data(),
                     static_cast<int>(t.size()), nullptr);
    gdi::SelectObject(dc.MemDC(), old);
  }

  static int Differences(const OffScreenDC& a, const OffScreenDC& b) {
    gdi::PixelView va = gdi::GetPixels(a.MemDC()), vb = gdi::GetPixels(b.MemDC());
    int n = 0;
    for (int i = 0; i < va.width * va.height; ++i) n += va.pixels[i] != vb.pixels[i];
    return n;
  }
  static int Inked(const OffScreenDC& a) {
    gdi::PixelView v = gdi::GetPixels(a.MemDC());
    int n = 0;
    for (int i = 0; i < v.width * v.height; ++i) n += v.pixels[i] != kBack;
    return n;
  }

  StdFontRef font_;
};

TEST_F(TextTest, NineAlignmentsFromMeasuredExtents) {
  const std::string text = "Process is 50 % complete";
  const gdi::SIZE s = Measure(font_->hFont(), text);
  ASSERT_GT(s.cx, 50);
  ASSERT_GT(s.cy, 8);
  for (int rivets : {0, 1}) {
    for (int alignment = 0; alignment <= 8; ++alignment) {
      auto dc = Surface(200, 60, text);
      SetRect(*dc, 0, 0, 200, 60);
      dc->put_RivetsStyle(static_cast<int16_t>(rivets));
      dc->put_TextAlignment(alignment);
      dc->put_TextOffset(3);
      dc->DisplayText();
      // The text rectangle shrinks by 7 on every side with rivets.
      const int l = rivets ? 7 : 0, t = rivets ? 7 : 0, r = rivets ? 193 : 200,
                b = rivets ? 53 : 60;
      int x = 0, y = 0;
      switch (alignment % 3) {
        case 0:
          x = l + (r - l - s.cx) / 2;
          break;
        case 1:
          x = l + 3;
          break;
        default:
          x = r - 3 - s.cx;
          break;
      }
      switch (alignment / 3) {
        case 0:
          y = t + (b - t - s.cy) / 2;
          break;
        case 1:
          y = t + 3;
          break;
        default:
          y = b - 3 - s.cy;
          break;
      }
      auto ref = Surface(200, 60, text);
      Reference(*ref, font_->hFont(), x, y, {l + 1, t + 1, r - 1, b - 1});
      EXPECT_EQ(Differences(*dc, *ref), 0) << "alignment " << alignment << " rivets " << rivets;
      EXPECT_GT(Inked(*dc), 50);
    }
  }
}

TEST_F(TextTest, TooWideTextIsCentredByTruncatingHalvingAndClipped) {
  std::string text = "WWWWWWWWWWWWWWWWWWWWWWWW";
  const gdi::SIZE s = Measure(font_->hFont(), text);
  ASSERT_GT(s.cx, 100);
  auto dc = Surface(100, 20, text);
  SetRect(*dc, 0, 0, 100, 20);
  dc->DisplayText();
  auto ref = Surface(100, 20, text);
  Reference(*ref, font_->hFont(), (100 - s.cx) / 2, (20 - s.cy) / 2, {1, 1, 99, 19});
  EXPECT_EQ(Differences(*dc, *ref), 0);
  // Nothing outside the clipping rectangle (1..98, 1..18).
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(At(*dc, 0, y), kBack);
    EXPECT_EQ(At(*dc, 99, y), kBack);
  }
  for (int x = 0; x < 100; ++x) EXPECT_EQ(At(*dc, x, 0), kBack);
}

TEST_F(TextTest, AutoAngleTurnsAlongTheDiagonal) {
  const std::string text = "Diagonal";
  const gdi::SIZE s = Measure(font_->hFont(), text);
  for (int mode : {1, 2}) {
    auto dc = Surface(100, 100, text);
    SetRect(*dc, 0, 0, 100, 100);
    dc->put_TextAutoAngle(mode);
    dc->DisplayText();
    // Atn(1) x 180 / 3.14159 = 45.00004 degrees (314.99996 down): escapement 450 or 3150.
    const float angle = mode == 1 ? static_cast<float>(std::atan(1.0) * 180.0 / 3.14159)
                                  : static_cast<float>(360.0 - std::atan(1.0) * 180.0 / 3.14159);
    gdi::LOGFONTA lf = dc->TurnedFont(angle);
    EXPECT_EQ(lf.lfEscapement, mode == 1 ? 450 : 3150);
    gdi::HFONT turned = gdi::CreateFontIndirectA(&lf);
    const double a = angle * 0.0174532925;
    int x = RoundToInt32(50.0 - s.cx / 2.0 * std::cos(a) - s.cy / 2.0 * std::sin(a));
    int y = RoundToInt32(50.0 + s.cx / 2.0 * std::sin(a) - s.cy / 2.0 * std::cos(a));
    auto ref = Surface(100, 100, text);
    Reference(*ref, turned, x, y, {1, 1, 99, 99});
    gdi::DeleteObject(turned);
    EXPECT_EQ(Differences(*dc, *ref), 0) << mode;
    EXPECT_GT(Inked(*dc), 30);
  }
}

TEST_F(TextTest, AFullTurnDrawsUprightButCentred) {
  const std::string text = "Upright";
  const gdi::SIZE s = Measure(font_->hFont(), text);
  auto dc = Surface(120, 40, text);
  SetRect(*dc, 0, 0, 120, 40);
  dc->put_TextAngle(360);
  dc->put_TextAlignment(4);  // top left: ignored for turned text
  dc->DisplayText();
  EXPECT_EQ(dc->TurnedFont(360).lfEscapement, 3600);
  const double a = 360 * 0.0174532925;
  int x = RoundToInt32(60.0 - s.cx / 2.0 * std::cos(a) - s.cy / 2.0 * std::sin(a));
  int y = RoundToInt32(20.0 + s.cx / 2.0 * std::sin(a) - s.cy / 2.0 * std::cos(a));
  auto ref = Surface(120, 40, text);
  Reference(*ref, font_->hFont(), x, y, {1, 1, 119, 39});
  EXPECT_EQ(Differences(*dc, *ref), 0);
}

TEST_F(TextTest, AZeroHeightRectangleKeepsTextUnturnedAndDrawsNothing) {
  auto dc = Surface(100, 20, "Flat");
  SetRect(*dc, 0, 10, 100, 10);
  dc->put_TextAutoAngle(1);
  dc->DisplayText();
  EXPECT_EQ(Inked(*dc), 0);
}

TEST_F(TextTest, EmbossedCopiesLieOnePixelOff) {
  const std::string text = "Relief";
  const gdi::SIZE s = Measure(font_->hFont(), text);
  struct Row {
    int style;
    COLORREF color;
    int shift;
  };
  for (Row row :
       {Row{1, 0xFFFFFF, -1}, Row{2, 0xFFFFFF, 1}, Row{3, 0x808080, -1}, Row{4, 0x808080, 1}}) {
    auto dc = Surface(80, 30, text);
    SetRect(*dc, 0, 0, 80, 30);
    dc->put_Font3D(row.style);
    dc->DisplayText();
    auto ref = Surface(80, 30, text);
    Reference(*ref, font_->hFont(), (80 - s.cx) / 2, (30 - s.cy) / 2, {1, 1, 79, 29}, row.color,
              row.shift);
    EXPECT_EQ(Differences(*dc, *ref), 0) << row.style;
    // The copy shows where the main text does not cover it.
    int copy_pixels = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 80; ++x) copy_pixels += At(*dc, x, y) == row.color;
    EXPECT_GT(copy_pixels, 0) << row.style;
  }
}

TEST_F(TextTest, TurnedFontRecordFollowsTheFontObject) {
  auto dc = Surface(10, 10, "x");
  auto bold = StdFont::Create("MS Sans Serif", 8.25);
  bold->SetBold(true);
  bold->SetItalic(true);
  dc->putref_TextFont(bold);
  gdi::LOGFONTA lf = dc->TurnedFont(45);
  EXPECT_EQ(lf.lfHeight, -11);  // 8.25 pt at 96 DPI
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_EQ(lf.lfEscapement, 450);
  EXPECT_EQ(lf.lfItalic, 255);
  EXPECT_EQ(lf.lfUnderline, 0);
  EXPECT_EQ(lf.lfQuality, 2);
  EXPECT_EQ(lf.lfPitchAndFamily, 2);
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
}

TEST_F(TextTest, MsSansSerifFindsTheArialMetricFace) {
  const std::string text = "Process is 50 % complete";
  auto arial = StdFont::Create("Arial", 8.25);
  auto dejavu = StdFont::Create("DejaVu Sans", 8.25);
  int base = gdi::LiveObjectCount();
  gdi::SIZE ms = Measure(font_->hFont(), text);
  gdi::SIZE ar = Measure(arial->hFont(), text);
  gdi::SIZE dv = Measure(dejavu->hFont(), text);
  EXPECT_EQ(ms.cx, ar.cx);
  EXPECT_EQ(ms.cy, ar.cy);
  EXPECT_LT(ms.cx, dv.cx);  // the fallback face would be wider
  EXPECT_EQ(gdi::LiveObjectCount(), base + 2);
  arial.reset();
  dejavu.reset();
}

TEST_F(TextTest, FlushingTheFontCacheChangesNothingDrawn) {
  auto dc = Surface(200, 30, "Cached and again");
  SetRect(*dc, 0, 0, 200, 30);
  dc->DisplayText();
  auto again = Surface(200, 30, "Cached and again");
  SetRect(*again, 0, 0, 200, 30);
  gdi::FlushFontCache();  // fonts realised before must be found afresh, not reused
  again->DisplayText();
  EXPECT_EQ(Differences(*dc, *again), 0);
  EXPECT_GT(Inked(*again), 50);
}

TEST_F(TextTest, EmptyTextAndMissingFontDrawNothing) {
  auto dc = Surface(50, 20, "");
  SetRect(*dc, 0, 0, 50, 20);
  dc->DisplayText();
  EXPECT_EQ(Inked(*dc), 0);
  dc->put_Text("text");
  dc->putref_TextFont(nullptr);
  dc->DisplayText();
  dc->put_TextAngle(30);
  dc->DisplayText();
  EXPECT_EQ(Inked(*dc), 0);
}

}  // namespace
}  // namespace vg
