#pragma once
// The automation conversions: what a host's runtime does when a Variant meets a typed
// parameter. Numeric text is accepted with surrounding blanks (" 3"), a sign, a fraction,
// an exponent, and &H / &O prefixes. Floating values become integers by rounding halves
// to even. A value outside the target's range raises 6 (Overflow); a value that is no
// number raises 13 (Type mismatch).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/automation/variant.h"

namespace vg {

// The value of numeric text, or nothing when the text is no number.
std::optional<double> ParseNumericText(std::string_view text);

// True for numbers, Booleans, Empty and numeric text.
bool IsNumeric(const Variant& v);

int16_t ToInteger(const Variant& v);
int32_t ToLong(const Variant& v);
float ToSingle(const Variant& v);
double ToDouble(const Variant& v);
bool ToBoolean(const Variant& v);
// Text form: integers in decimal, floating values as FormatSingle/FormatDouble write them,
// Booleans as "True"/"False", Empty as "". Objects raise 13.
std::string ToText(const Variant& v);

// A Single to 7 significant digits, a Double to 15, trailing zeros dropped; E notation
// from 1E7 (Single) or 1E15 (Double) up and below 0.0001: "0.1", "100000", "1E+15",
// "1E-05", "1.5E+20", "0.3333333".
std::string FormatSingle(float v);
std::string FormatDouble(double v);

// Checked narrowing of an integral result to 16 bits: 6 when it does not fit.
int16_t CheckedInteger(int64_t v);

}  // namespace vg
