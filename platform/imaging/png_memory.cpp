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

bool DecodePng(std::span<const uint8_t> data, int* width, int* height,
               std::vector<COLORREF>* pixels, std::string* error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  auto fail = [&](const char* reason) {
    if (error) *error = image.warning_or_error ? image.message : reason;
    png_image_free(&image);
    return false;
  };
  if (data.empty() || !png_image_begin_read_from_memory(&image, data.data(), data.size()))
    return fail("not a PNG image");
  constexpr uint64_t kMaxPixels = uint64_t{1} << 26;
  if (image.width == 0 || image.height == 0 || uint64_t{image.width} * image.height > kMaxPixels)
    return fail("the picture is too large");
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  png_color black{0, 0, 0};
  if (!png_image_finish_read(&image, &black, rgb.data(), 0, nullptr))
    return fail("the picture is damaged");
  *width = static_cast<int>(image.width);
  *height = static_cast<int>(image.height);
  pixels->resize(static_cast<size_t>(image.width) * image.height);
  for (size_t i = 0; i < pixels->size(); ++i)
    (*pixels)[i] = RGB(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
  png_image_free(&image);
  return true;
}

}  // namespace vg
