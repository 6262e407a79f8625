#include <gtest/gtest.h>

#include <cmath>

#include "platform/automation/conversions.h"
#include "platform/automation/errors.h"
#include "platform/base/numeric.h"

namespace vg {
namespace {

int ErrorOf(auto&& f) {
  try {
    f();
  } catch (const AutomationError& e) {
    return e.number();
  }
  return 0;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(1.5), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3.0);
  EXPECT_EQ(RoundHalfEven(52.5), 52.0);
  EXPECT_EQ(RoundToInt32(1e300), 2147483647);
  EXPECT_EQ(RoundToInt32(std::nan("")), 0);
}

TEST(ToInteger, RoundsHalvesToEvenAndChecksSixteenBits) {
  EXPECT_EQ(ToInteger(Variant::Double(2.5)), 2);
  EXPECT_EQ(ToInteger(Variant::Double(3.5)), 4);
  EXPECT_EQ(ToInteger(Variant::Single(-0.5f)), 0);
  EXPECT_EQ(ToInteger(Variant::Double(32767.4)), 32767);
  EXPECT_EQ(ToInteger(Variant::Double(-32768.5)), -32768);  // even neighbour stays in range
  EXPECT_EQ(ErrorOf([] { ToInteger(Variant::Double(32767.5)); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { ToInteger(Variant::Long(32768)); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { ToInteger(Variant::Long(-32769)); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { ToInteger(Variant::Double(std::nan(""))); }), err::kOverflow);
  EXPECT_EQ(ToInteger(Variant::Boolean(true)), -1);
  EXPECT_EQ(ToInteger(Variant()), 0);
}

TEST(ToInteger, ReadsNumericTextAndRefusesOtherText) {
  EXPECT_EQ(ToInteger(Variant::String("3")), 3);
  EXPECT_EQ(ToInteger(Variant::String(" 3")), 3);
  EXPECT_EQ(ToInteger(Variant::String("3 ")), 3);
  EXPECT_EQ(ToInteger(Variant::String("-2.5")), -2);
  EXPECT_EQ(ToInteger(Variant::String("1e2")), 100);
  EXPECT_EQ(ToInteger(Variant::String("&HFFFF")), -1);
  EXPECT_EQ(ToInteger(Variant::String("&H10")), 16);
  EXPECT_EQ(ErrorOf([] { ToInteger(Variant::String("40000")); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { ToInteger(Variant::String("1e400")); }), err::kOverflow);
  for (const char* text : {"", " ", "abc", "3x", "--3", "inf", "nan", "0x10", ".", "1e"})
    EXPECT_EQ(ErrorOf([&] { ToInteger(Variant::String(text)); }), err::kTypeMismatch) << text;
  EXPECT_EQ(ErrorOf([] { ToInteger(Variant::Nothing()); }), err::kTypeMismatch);
}

TEST(IsNumeric, MatchesWhatTheConversionsAccept) {
  EXPECT_TRUE(IsNumeric(Variant()));
  EXPECT_TRUE(IsNumeric(Variant::Boolean(false)));
  EXPECT_TRUE(IsNumeric(Variant::String(" 3")));
  EXPECT_TRUE(IsNumeric(Variant::String("-0.25")));
  EXPECT_FALSE(IsNumeric(Variant::String("")));
  EXPECT_FALSE(IsNumeric(Variant::String("key")));
  EXPECT_FALSE(IsNumeric(Variant::Nothing()));
}

TEST(ToLong, CoversThirtyTwoBits) {
  EXPECT_EQ(ToLong(Variant::Double(2147483647.0)), 2147483647);
  EXPECT_EQ(ToLong(Variant::String("&H80000012")), static_cast<int32_t>(0x80000012u));
  EXPECT_EQ(ErrorOf([] { ToLong(Variant::Double(2147483647.5)); }), err::kOverflow);
  EXPECT_EQ(ToLong(Variant::Integer(-5)), -5);
}

TEST(ToBoolean, TakesNumbersAndTheWords) {
  EXPECT_TRUE(ToBoolean(Variant::Integer(1)));
  EXPECT_FALSE(ToBoolean(Variant::Double(0.0)));
  EXPECT_TRUE(ToBoolean(Variant::String(" true ")));
  EXPECT_FALSE(ToBoolean(Variant::String("False")));
  EXPECT_EQ(ErrorOf([] { ToBoolean(Variant::String("yes")); }), err::kTypeMismatch);
  EXPECT_EQ(Variant::Boolean(true).long_value(), -1);
}

TEST(ToText, UsesShortestExactForms) {
  EXPECT_EQ(ToText(Variant::Integer(-7)), "-7");
  EXPECT_EQ(ToText(Variant::Single(0.1f)), "0.1");
  EXPECT_EQ(ToText(Variant::Single(0.58f)), "0.58");
  EXPECT_EQ(ToText(Variant::Double(0.1)), "0.1");
  EXPECT_EQ(ToText(Variant::Double(2.0)), "2");
  EXPECT_EQ(ToText(Variant::Double(1e20)), "1E+20");
  EXPECT_EQ(ToText(Variant::Boolean(true)), "True");
  EXPECT_EQ(ToText(Variant()), "");
  EXPECT_EQ(ErrorOf([] { ToText(Variant::Nothing()); }), err::kTypeMismatch);
}

TEST(AutomationError, CarriesTheStandardDescription) {
  EXPECT_EQ(AutomationError(6).description(), "Overflow");
  EXPECT_EQ(AutomationError(9).description(), "Subscript out of range");
  EXPECT_EQ(AutomationError(13).description(), "Type mismatch");
  EXPECT_EQ(AutomationError(393).description(), "Get not supported at run time");
  EXPECT_EQ(AutomationError(438).description(), "Object doesn't support this property or method");
  EXPECT_EQ(AutomationError(449).description(), "Argument not optional");
  EXPECT_EQ(AutomationError(450).description(),
            "Wrong number of arguments or invalid property assignment");
  EXPECT_EQ(AutomationError(91).description(), "Object variable or With block variable not set");
}

}  // namespace
}  // namespace vg
