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
