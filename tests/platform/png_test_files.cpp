#include "tests/platform/png_test_files.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace vg::testing {
namespace {

int Channels(int color_type) {
  switch (color_type) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4;
    default:
      return 1;
  }
}

// One byte per sample below 8 bits (libpng packs them), big-endian pairs at 16.
std::vector<png_byte> RowBytes(const TestPng& png) {
  size_t per_row = static_cast<size_t>(png.width) * Channels(png.color_type);
  std::vector<png_byte> bytes;
  for (uint16_t s : png.samples) {
    if (png.depth == 16) bytes.push_back(static_cast<png_byte>(s >> 8));
    bytes.push_back(static_cast<png_byte>(s));
  }
  bytes.resize(per_row * png.height * (png.depth == 16 ? 2 : 1));
  return bytes;
}

// libpng's own error handling (message on stderr, jump to the setjmp) is enough here:
// the function holds no object with a destructor across it.
bool WriteRows(FILE* file, const TestPng& p, png_bytepp rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, p.width, p.height, p.depth, p.color_type,
               p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  if (!p.palette.empty())
    png_set_PLTE(png, info, p.palette.data(), static_cast<int>(p.palette.size()));
  if (!p.palette_alpha.empty())
    png_set_tRNS(png, info, p.palette_alpha.data(), static_cast<int>(p.palette_alpha.size()),
                 nullptr);
  if (p.trans) png_set_tRNS(png, info, nullptr, 0, &*p.trans);
  if (p.gamma) png_set_gAMA(png, info, *p.gamma);
  if (p.chromaticities) png_set_cHRM(png, info, 0.3127, 0.329, 0.64, 0.33, 0.3, 0.6, 0.15, 0.06);
  png_write_info(png, info);
  if (p.depth < 8) png_set_packing(png);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WriteTestPng(const std::string& path, const TestPng& png) {
  std::vector<png_byte> bytes = RowBytes(png);
  std::vector<png_bytep> rows(png.height);
  size_t stride = bytes.size() / png.height;
  for (int y = 0; y < png.height; ++y) rows[y] = bytes.data() + stride * y;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = WriteRows(file, png, rows.data());
  return std::fclose(file) == 0 && ok;
}

std::vector<uint8_t> ReadRgbBytes(const std::string& path, int* width, int* height) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  // An 8-bit RGB file without colour chunks reads back unchanged as RGB.
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
  *width = static_cast<int>(image.width);
  *height = static_cast<int>(image.height);
  return rgb;
}

}  // namespace vg::testing
