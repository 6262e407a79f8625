#include "pages/page_numbers.h"

#include <charconv>
#include <cmath>

#include "platform/base/numeric.h"

namespace vg {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the run of digits at `i`.
size_t Digits(std::string_view s, size_t i) {
  size_t n = 0;
  while (i + n < s.size() && IsDigit(s[i + n])) ++n;
  return n;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  size_t body = i;  // from_chars takes no '+' sign, so the sign is applied afterwards
  size_t whole = Digits(text, i);
  i += whole;
  size_t fraction = 0;
  if (i < text.size() && text[i] == '.') {
    fraction = Digits(text, i + 1);
    i += 1 + fraction;
  }
  if (whole == 0 && fraction == 0) return 0.0;
  // An exponent counts only when digits follow it ("1e" is 1).
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    size_t exponent = Digits(text, j);
    if (exponent > 0) i = j + exponent;
  }
  std::string_view number = text.substr(body, i - body);
  double value = 0.0;
  // from_chars reads the C locale's form whatever the program's locale.
  auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond double: infinite for a large number (no field accepts it), 0 for a tiny one.
    bool tiny =
        number.find("e-") != std::string_view::npos || number.find("E-") != std::string_view::npos;
    value = tiny ? 0.0 : HUGE_VAL;
  } else if (result.ec != std::errc()) {
    return 0.0;
  }
  return negative ? -value : value;
}

std::optional<int16_t> IntegerField(std::string_view text) {
  double r = RoundHalfEven(LeadingNumber(text));
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
  return static_cast<int16_t>(r);
}

}  // namespace vg
