#pragma once
// Base64 (the standard alphabet, with padding) for binary data inside text files.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vg::forms {

std::string EncodeBase64(std::span<const uint8_t> data);
// Nothing for text that is not well-formed base64 (wrong length, a foreign character,
// misplaced padding). Whitespace is not accepted.
std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view text);

}  // namespace vg::forms
