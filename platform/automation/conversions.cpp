#include "platform/automation/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/automation/errors.h"
#include "platform/base/numeric.h"

namespace vg {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// "&H..." and "&O...": up to 4 hex digits read as a 16-bit pattern, up to 8 as a 32-bit
// one, as a host's runtime reads such literals (&HFFFF is -1).
std::optional<double> ParseRadixText(std::string_view s) {
  int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
  std::string_view digits = s.substr(2);
  if (digits.empty() || digits.size() > (base == 16 ? 8u : 11u)) return std::nullopt;
  uint64_t value = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
  if (value <= 0xFFFF && (base == 16 ? digits.size() <= 4 : value <= 0xFFFF))
    return static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(value)));
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

}  // namespace

std::optional<double> ParseNumericText(std::string_view text) {
  std::string_view s = Trim(text);
  if (s.empty()) return std::nullopt;
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o'))
    return ParseRadixText(s);
  bool negative = false;
  if (s[0] == '+' || s[0] == '-') {
    negative = s[0] == '-';
    s = Trim(s.substr(1));
  }
  // Validate the shape ourselves (digits, one point, optional exponent) so that text such
  // as "inf", "nan" or "0x10" is no number.
  std::string buffer;
  buffer.reserve(s.size());
  size_t i = 0;
  size_t mantissa_digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') buffer += s[i++], ++mantissa_digits;
  if (i < s.size() && s[i] == '.') {
    buffer += s[i++];
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') buffer += s[i++], ++mantissa_digits;
  }
  if (mantissa_digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    buffer += 'e';
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) buffer += s[i++];
    size_t exp_digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') buffer += s[i++], ++exp_digits;
    if (exp_digits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  double value = 0;
  auto [ptr, ec] = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (ptr != buffer.data() + buffer.size()) return std::nullopt;
  if (ec == std::errc::result_out_of_range) {
    // Too large becomes an overflow of the target type later; too small is zero.
    bool tiny = buffer.find("e-") != std::string::npos ||
                buffer.find_first_not_of("0.e+") == std::string::npos;
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (ec != std::errc()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

bool IsNumeric(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Boolean:
      return true;
    case VarType::String:
      return ParseNumericText(v.string()).has_value();
    default:
      return false;
  }
}

double ToDouble(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
      return 0.0;
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean:
      return v.long_value();
    case VarType::Single:
    case VarType::Double:
      return v.double_value();
    case VarType::String: {
      auto parsed = ParseNumericText(v.string());
      if (!parsed) Raise(err::kTypeMismatch);
      if (std::isinf(*parsed)) Raise(err::kOverflow);
      return *parsed;
    }
    default:
      Raise(err::kTypeMismatch);
  }
}

int16_t CheckedInteger(int64_t v) {
  if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
    Raise(err::kOverflow);
  return static_cast<int16_t>(v);
}

namespace {
int64_t RoundedIntegral(const Variant& v, double lo, double hi) {
  switch (v.type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean:
      return v.long_value();
    default:
      break;
  }
  double d = ToDouble(v);
  if (std::isnan(d)) Raise(err::kOverflow);
  double r = RoundHalfEven(d);
  if (r < lo || r > hi) Raise(err::kOverflow);
  return static_cast<int64_t>(r);
}
}  // namespace

int16_t ToInteger(const Variant& v) {
  return CheckedInteger(RoundedIntegral(v, -32768.0, 32767.0));
}

int32_t ToLong(const Variant& v) {
  return static_cast<int32_t>(RoundedIntegral(v, -2147483648.0, 2147483647.0));
}

float ToSingle(const Variant& v) {
  if (v.type() == VarType::Single) return v.single();
  double d = ToDouble(v);
  if (std::isfinite(d) && std::abs(d) > std::numeric_limits<float>::max()) Raise(err::kOverflow);
  return static_cast<float>(d);
}

bool ToBoolean(const Variant& v) {
  if (v.type() == VarType::String) {
    std::string_view s = Trim(v.string());
    if (EqualsNoCase(s, "True")) return true;
    if (EqualsNoCase(s, "False")) return false;
  }
  return ToDouble(v) != 0.0;
}

namespace {
// The automation runtime's text form of a floating value: rounded to `digits` significant
// digits, trailing zeros dropped, plain decimal for magnitudes from 1E-4 up to below
// 10^digits and E notation with a signed exponent of at least two digits outside
// ("1E+15", "1.5E-05").
std::string FormatSignificant(double v, int digits) {
  if (v == 0) return "0";  // also -0
  if (!std::isfinite(v)) return std::isnan(v) ? "nan" : v < 0 ? "-inf" : "inf";
  char buffer[48];
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, digits - 1);
  if (ec != std::errc()) return "0";
  // buffer holds [-]d[.ddd]e(+|-)xx; the exponent is taken after rounding, so 999999.95
  // at 7 digits is already 1.000000e+06.
  std::string_view text(buffer, end - buffer);
  bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  size_t e = text.find('e');
  std::string mantissa;
  for (char c : text.substr(0, e))
    if (c != '.') mantissa += c;
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
  int exponent = 0;
  std::string_view exp_text = text.substr(e + 1);
  if (exp_text.front() == '+') exp_text.remove_prefix(1);
  std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), exponent);

  std::string out = negative ? "-" : "";
  if (exponent >= digits || exponent < -4) {
    out += mantissa[0];
    if (mantissa.size() > 1) out += "." + mantissa.substr(1);
    out += exponent < 0 ? "E-" : "E+";
    int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
  } else if (exponent >= 0) {
    size_t whole = static_cast<size_t>(exponent) + 1;
    if (mantissa.size() <= whole) {
      out += mantissa + std::string(whole - mantissa.size(), '0');
    } else {
      out += mantissa.substr(0, whole) + "." + mantissa.substr(whole);
    }
  } else {
    out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
  }
  return out;
}
}  // namespace

std::string FormatSingle(float v) {
  return FormatSignificant(v, 7);
}
std::string FormatDouble(double v) {
  return FormatSignificant(v, 15);
}

std::string ToText(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
      return "";
    case VarType::Integer:
    case VarType::Long:
      return std::to_string(v.long_value());
    case VarType::Single:
      return FormatSingle(v.single());
    case VarType::Double:
      return FormatDouble(v.double_value());
    case VarType::Boolean:
      return v.boolean() ? "True" : "False";
    case VarType::String:
      return v.string();
    default:
      Raise(err::kTypeMismatch);
  }
}

}  // namespace vg
