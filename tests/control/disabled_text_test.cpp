// Texts of a disabled control: the caption and every block's text are drawn in
// DisabledColor instead of their own colours.
#include "control/enums.h"
#include "tests/control/control_fixture.h"

namespace vg {
namespace {
using testing::Pixels;
using testing::PlacedControl;

constexpr COLORREF kInk = 0xFF0000;
constexpr COLORREF kDisabled = 0x00A0FF;
// The middle of a 48-point bold "I" centred in the 100 x 80 window: inside the stem's ink.
constexpr int kX = 50, kY = 40;

StdFontRef BigFont() {
  StdFontRef font = StdFont::Create("Arial", 36);
  font->SetBold(true);
  return font;
}

// Each case draws the same "I" enabled (the point is ink of the text's own colour) and
// disabled (the same point takes DisabledColor).
struct Case {
  const char* name;
  void (*setup)(Varigauge& c);
  COLORREF ground;  // what surrounds the disabled text
};

TEST(DisabledText, CaptionAndBlockTextTakeTheDisabledColour) {
  const Case cases[] = {
      {"caption",
       [](Varigauge& c) {
         c.putref_Font(BigFont());
         c.put_ForeColor(kInk);
         c.put_Caption("I");
       },
       0xC0C0C0},  // the background keeps BackColor
      {"block text",
       [](Varigauge& c) {
         c.AddBlock();
         const Variant one = Variant::Integer(1);
         c.put_BlockBarLeft(one, 0);
         c.put_BlockBarRight(one, 100);
         c.put_BlockBarBottom(one, 0);
         c.put_BlockBarTop(one, 100);
         c.put_BlockColor(one, 0xFFFFFF);
         c.put_BlockText(one, "I");
         c.put_BlockTextFont(one, BigFont());
         c.put_BlockTextColor(one, kInk);
       },
       kDisabled},  // so does the block's fill
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.name);
    PlacedControl p(Pixels(100, 80));
    Varigauge& c = p.c();
    c.put_Redraw(false);
    c.put_BorderStyle(vgNoneBorder);
    c.put_DisabledColor(kDisabled);
    t.setup(c);
    c.put_Redraw(true);
    EXPECT_EQ(p.Pixel(kX, kY), kInk);
    c.put_Enabled(false);
    EXPECT_EQ(p.Pixel(kX, kY), kDisabled);
    EXPECT_EQ(p.Pixel(2, 2), t.ground);
  }
}

}  // namespace
}  // namespace vg
