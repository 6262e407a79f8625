#pragma once
// PNG files in and out of COLORREF pixel buffers (0x00BBGGRR).
#include <cstddef>
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

// Reads a PNG file of any colour type, bit depth and interlacing into COLORREF pixels,
// keeping the stored sample values: gamma and colour-space chunks are ignored, 16-bit
// samples become 8 bits rounded to the nearest (v * 255 / 65535), and partly transparent
// pixels (alpha or tRNS) are composed over `background` at the stored precision (pictures
// have no transparency). Files that are no PNG, are damaged or truncated, or hold more
// pixels than the raster device's bitmap cap give kInvalid with a reason in *error; a
// header claiming more pixels than the file can hold is refused before any allocation.
PngReadResult LoadPng(const std::string& path, COLORREF background, int* width, int* height,
                      std::vector<COLORREF>* pixels, std::string* error);
// The same for a PNG held in memory.
PngReadResult LoadPngFromMemory(const unsigned char* data, size_t size, COLORREF background,
                                int* width, int* height, std::vector<COLORREF>* pixels,
                                std::string* error);

}  // namespace vg
