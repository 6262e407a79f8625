// Text widths at small sizes: the raster device advances each character by FreeType's
// hinted advance, as Qt's own layout of the same font does with full hinting. Kerning is
// not applied (text lines up as the control has always drawn it), so Qt is asked for its
// layout without kerning; a string with kerning pairs shows that Qt would kern it.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <cstdio>
#include <string>

#include "platform/gdi/gdi.h"
#include "tests/platform/canvas.h"

namespace vg::gdi {
namespace {

int OurWidth(const char* face, int pixels, const std::string& text) {
  Canvas canvas(8, 8);
  LOGFONTA lf{};
  lf.lfHeight = -pixels;
  lf.lfWeight = 400;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face);
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ old = SelectObject(canvas.dc, font);
  SIZE size{};
  GetTextExtentPoint32A(canvas.dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(canvas.dc, old);
  DeleteObject(font);
  return size.cx;
}

int QtWidth(const char* face, int pixels, const std::string& text, bool kerning) {
  QFont font(QString::fromLatin1(face));
  font.setPixelSize(pixels);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(kerning);
  return QFontMetrics(font).horizontalAdvance(QString::fromStdString(text));
}

TEST(TextAdvances, MatchQtsHintedLayoutAtSmallSizes) {
  const char* const texts[] = {"100 %", "Process is 50 % complete", "Disk c: 12.5 GB free",
                               "WWW iii 0000", "AVATAR Ty."};
  for (const char* face : {"Liberation Sans", "Liberation Serif"})
    for (int pixels = 8; pixels <= 16; ++pixels)
      for (const char* text : texts)
        EXPECT_EQ(OurWidth(face, pixels, text), QtWidth(face, pixels, text, false))
            << face << " " << pixels << " px \"" << text << "\"";
  // The kerning pairs are real: Qt's kerned layout of them is narrower.
  EXPECT_LT(QtWidth("Liberation Sans", 16, "AVATAR Ty.", true),
            QtWidth("Liberation Sans", 16, "AVATAR Ty.", false));
}

}  // namespace
}  // namespace vg::gdi
