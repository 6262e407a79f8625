#pragma once
// Writes PNG test files of any colour type, bit depth and interlacing with libpng itself,
// so decoding tests can state their pixels as literal values.
#include <png.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vg::testing {

struct TestPng {
  int width = 1;
  int height = 1;
  int depth = 8;
  int color_type = PNG_COLOR_TYPE_RGB;
  bool interlaced = false;
  std::vector<uint16_t> samples;        // row by row, every channel of every pixel
  std::vector<png_color> palette;       // PLTE
  std::vector<png_byte> palette_alpha;  // tRNS of a palette image
  std::optional<png_color_16> trans;    // tRNS of a grey or RGB image (grey in .gray)
  std::optional<double> gamma;          // gAMA
  bool chromaticities = false;          // cHRM
};

// Writes `png` to `path`; false when libpng refuses it.
bool WriteTestPng(const std::string& path, const TestPng& png);

// Reads an 8-bit RGB PNG back as bytes r, g, b per pixel; empty when it is none.
std::vector<uint8_t> ReadRgbBytes(const std::string& path, int* width, int* height);

}  // namespace vg::testing
