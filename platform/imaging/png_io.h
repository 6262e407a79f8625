#pragma once
// PNG files in and out of COLORREF pixel buffers (0x00BBGGRR).
#include <string>
#include <vector>

#include "platform/automation/ole_color.h"

namespace vg {

// Writes width x height pixels as an 8-bit RGB PNG. Writes to a temporary file beside the
// target and renames it, so a failed save leaves an existing file intact. Returns false
// and sets *error on failure.
bool SavePng(const std::string& path, const COLORREF* pixels, int width, int height,
             std::string* error);

enum class PngReadResult { kOk, kNotFound, kInvalid };

// Reads a PNG file of any colour type into COLORREF pixels. Partly transparent pixels are
// composed over `background` (pictures have no transparency). Files that are no PNG, are
// damaged, or hold more than 2^26 pixels give kInvalid with a reason in *error.
PngReadResult LoadPng(const std::string& path, COLORREF background, int* width, int* height,
                      std::vector<COLORREF>* pixels, std::string* error);

}  // namespace vg
