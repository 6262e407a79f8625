#pragma once
// PNG images encoded into memory, for pictures stored inside other files (a form's property
// bag); LoadPngFromMemory (png_io.h) reads them back.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/automation/ole_color.h"

namespace vg {

// Encodes width x height COLORREF pixels as an 8-bit RGB PNG into *out. Returns false and
// sets *error for an empty picture or when encoding fails.
bool EncodePng(const COLORREF* pixels, int width, int height, std::vector<uint8_t>* out,
               std::string* error);

}  // namespace vg
