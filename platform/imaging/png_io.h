#pragma once
// PNG files in and out of COLORREF pixel buffers (0x00BBGGRR).
#include <string>

#include "platform/automation/ole_color.h"

namespace vg {

// Writes width x height pixels as an 8-bit RGB PNG. Writes to a temporary file beside the
// target and renames it, so a failed save leaves an existing file intact. Returns false
// and sets *error on failure.
bool SavePng(const std::string& path, const COLORREF* pixels, int width, int height,
             std::string* error);

}  // namespace vg
