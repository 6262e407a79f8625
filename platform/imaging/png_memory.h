#pragma once
// PNG images in memory, for pictures stored inside other files (a form's property bag).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/automation/ole_color.h"

namespace vg {

// Encodes width x height COLORREF pixels as an 8-bit RGB PNG into *out. Returns false and
// sets *error for an empty picture or when encoding fails.
bool EncodePng(const COLORREF* pixels, int width, int height, std::vector<uint8_t>* out,
               std::string* error);

// Decodes a PNG of any colour type; partly transparent pixels are composed over black.
// Data that is no PNG, is damaged, or holds more than 2^26 pixels gives false with a
// reason in *error.
bool DecodePng(std::span<const uint8_t> data, int* width, int* height,
               std::vector<COLORREF>* pixels, std::string* error);

}  // namespace vg
