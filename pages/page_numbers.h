#pragma once
// Numbers typed into the property pages' text boxes. A text's value is its leading decimal
// number: blanks skipped, an optional sign, digits with an optional fraction and exponent;
// a text that starts with no number is 0. Text after the number is ignored ("12px" is 12).
#include <cstdint>
#include <optional>
#include <string_view>

namespace vg {

double LeadingNumber(std::string_view text);

// The text's leading number as a 16-bit integer, halves to the even neighbour; nothing when
// it lies outside -32768..32767 (the field then keeps its value).
std::optional<int16_t> IntegerField(std::string_view text);

}  // namespace vg
