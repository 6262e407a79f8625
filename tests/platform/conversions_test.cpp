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

// Text forms as a host prints them: 15 significant digits for a Double, 7 for a Single,
// E notation from 10^15 (10^7) up and below 0.0001.
struct TextRow {
  double value;
  const char* as_double;
  const char* as_single;
};

TEST(ToText, FloatingValuesSwitchToENotationAtTheirPrecision) {
  const TextRow rows[] = {
      {100000.0, "100000", "100000"},
      {1e14, "100000000000000", "1E+14"},
      {999999999999999.0, "999999999999999", "1E+15"},
      {1e15, "1E+15", "1E+15"},
      {-1e15, "-1E+15", "-1E+15"},
      {1234567.0, "1234567", "1234567"},
      {12345678.0, "12345678", "1.234568E+07"},
      {1e7, "10000000", "1E+07"},
      {9999999.0, "9999999", "9999999"},
      {1.5e20, "1.5E+20", "1.5E+20"},
      {1e100, "1E+100", "1E+100"},  // beyond a Single: only the Double column applies
      {0.0001, "0.0001", "0.0001"},
      {0.00001, "1E-05", "1E-05"},
      {-0.000015, "-1.5E-05", "-1.5E-05"},
      {0.00012345, "0.00012345", "0.00012345"},
      {0.1, "0.1", "0.1"},
      {-0.5, "-0.5", "-0.5"},
      {1.0 / 3, "0.333333333333333", "0.3333333"},
      {2.0 / 3, "0.666666666666667", "0.6666667"},
      {-2.0 / 3, "-0.666666666666667", "-0.6666667"},
      {123456.789, "123456.789", "123456.8"},
      {0.58, "0.58", "0.58"},
      {-0.0, "0", "0"},
      {5e-324, "4.94065645841247E-324", "0"},
  };
  for (const TextRow& row : rows) {
    EXPECT_EQ(ToText(Variant::Double(row.value)), row.as_double) << row.value;
    if (std::abs(row.value) < 1e38) {
      EXPECT_EQ(ToText(Variant::Single(static_cast<float>(row.value))), row.as_single) << row.value;
    }
  }
}

TEST(ToSingle, ValuesBeyondTheSingleRangeOverflow) {
  EXPECT_EQ(ErrorOf([] { ToSingle(Variant::Double(1e39)); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { ToSingle(Variant::Double(-3.5e38)); }), err::kOverflow);
  EXPECT_EQ(ErrorOf([] { ToSingle(Variant::String("4e38")); }), err::kOverflow);
  EXPECT_EQ(ToSingle(Variant::Double(3.4e38)), 3.4e38f);
  EXPECT_EQ(ToSingle(Variant::Double(1e-50)), 0.0f);  // too small is zero, not an error
  EXPECT_EQ(ToSingle(Variant::String("-2.5")), -2.5f);
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
