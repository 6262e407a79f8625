#include <gtest/gtest.h>

#include "platform/automation/ole_color.h"

namespace vg {
namespace {

TEST(OleTranslateColor, PassesRgbAndTranslatesSystemColours) {
  COLORREF out = 1;
  EXPECT_EQ(OleTranslateColor(0xC0C0C0, 0, &out), S_OK);
  EXPECT_EQ(out, 0xC0C0C0u);
  EXPECT_EQ(OleTranslateColor(0x80000012, 0, &out), S_OK);  // button text
  EXPECT_EQ(out, GetSysColor(18));
  EXPECT_EQ(OleTranslateColor(0x8000000F, 0, &out), S_OK);  // button face
  EXPECT_EQ(out, GetSysColor(15));
  EXPECT_EQ(OleTranslateColor(0x02123456, 0, &out), S_OK);
  EXPECT_EQ(out, 0x123456u);
}

TEST(OleTranslateColor, RefusesUnknownFormsWithoutTouchingTheOutput) {
  COLORREF out = 0xABCDEF;
  EXPECT_EQ(OleTranslateColor(0x80000040, 0, &out), E_INVALIDARG);
  EXPECT_EQ(OleTranslateColor(0x80010001, 0, &out), E_INVALIDARG);
  EXPECT_EQ(OleTranslateColor(0x40000000, 0, &out), E_INVALIDARG);
  EXPECT_EQ(OleTranslateColor(0xFFFFFFFF, 0, &out), E_INVALIDARG);
  EXPECT_EQ(out, 0xABCDEFu);
}

}  // namespace
}  // namespace vg

namespace vg {
namespace {

TEST(SystemColours, TheTableHoldsTheClassicScheme) {
  struct Row {
    int index;
    COLORREF rgb;  // 0x00BBGGRR
  };
  for (Row row :
       {Row{0, 0xC8D0D4}, Row{1, 0xA56E3A}, Row{2, 0x6A240A}, Row{5, 0xFFFFFF}, Row{8, 0x000000},
        Row{12, 0x808080}, Row{15, 0xC8D0D4}, Row{16, 0x808080}, Row{20, 0xFFFFFF},
        Row{21, 0x404040}, Row{24, 0xE1FFFF}, Row{25, 0xB5B5B5}, Row{26, 0x800000},
        Row{27, 0xF0CAA6}, Row{28, 0xC0C0C0}, Row{29, 0xC56A31}, Row{30, 0xD8E9EC}}) {
    EXPECT_EQ(GetSysColor(row.index), row.rgb) << row.index;
    COLORREF out = 1;
    EXPECT_EQ(OleTranslateColor(0x80000000u | static_cast<uint32_t>(row.index), 0, &out), S_OK);
    EXPECT_EQ(out, row.rgb) << row.index;
  }
  EXPECT_FALSE(IsSysColorIndex(31));
  EXPECT_EQ(GetSysColor(31), 0u);
  EXPECT_EQ(GetSysColor(-1), 0u);
}

}  // namespace
}  // namespace vg
