#include "platform/imaging/png_memory.h"

#include <png.h>

#include <cstring>

namespace vg {

bool EncodePng(const COLORREF* pixels, int width, int height, std::vector<uint8_t>* out,
               std::string* error) {
  if (width <= 0 || height <= 0 || !pixels) {
    if (error) *error = "nothing to encode: the picture is empty";
    return false;
  }
  std::vector<png_byte> rgb(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    rgb[i * 3 + 0] = GetRValue(pixels[i]);
    rgb[i * 3 + 1] = GetGValue(pixels[i]);
    rgb[i * 3 + 2] = GetBValue(pixels[i]);
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  // First ask for the size, then write into a buffer of that size.
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) {
    if (error) *error = image.message;
    png_image_free(&image);
    return false;
  }
  out->resize(size);
  bool ok = png_image_write_to_memory(&image, out->data(), &size, 0, rgb.data(), 0, nullptr);
  if (!ok && error) *error = image.message;
  out->resize(ok ? size : 0);
  png_image_free(&image);
  return ok;
}

}  // namespace vg
