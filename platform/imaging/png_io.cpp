#include "platform/imaging/png_io.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace vg {
namespace {

struct FileCloser {
  void operator()(FILE* f) const {
    if (f) std::fclose(f);
  }
};

// libpng reports errors by longjmp unless the error callback throws: we throw a plain
// exception from the callback so the C++ stack unwinds normally.
struct PngFailure {
  std::string message;
};

void OnPngError(png_structp, png_const_charp message) {
  throw PngFailure{message};
}
void OnPngWarning(png_structp, png_const_charp) {}

bool WriteRows(FILE* file, const COLORREF* pixels, int width, int height, std::string* error) {
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (!png) {
    if (error) *error = "out of memory";
    return false;
  }
  png_infop info = png_create_info_struct(png);
  bool ok = false;
  try {
    if (!info) throw PngFailure{"out of memory"};
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
      const COLORREF* src = pixels + static_cast<size_t>(y) * width;
      for (int x = 0; x < width; ++x) {
        row[x * 3 + 0] = GetRValue(src[x]);
        row[x * 3 + 1] = GetGValue(src[x]);
        row[x * 3 + 2] = GetBValue(src[x]);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    ok = true;
  } catch (const PngFailure& f) {
    if (error) *error = f.message;
  }
  png_destroy_write_struct(&png, &info);
  return ok;
}

}  // namespace

bool SavePng(const std::string& path, const COLORREF* pixels, int width, int height,
             std::string* error) {
  if (width <= 0 || height <= 0 || !pixels) {
    if (error) *error = "nothing to save: the picture is empty";
    return false;
  }
  std::string temp = path + ".tmp";
  std::unique_ptr<FILE, FileCloser> file(std::fopen(temp.c_str(), "wb"));
  if (!file) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  bool ok = WriteRows(file.get(), pixels, width, height, error);
  if (ok && std::fflush(file.get()) != 0) {
    if (error) *error = std::strerror(errno);
    ok = false;
  }
  file.reset();
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
    if (error) *error = std::strerror(errno);
    ok = false;
  }
  if (!ok) std::remove(temp.c_str());
  return ok;
}

PngReadResult LoadPng(const std::string& path, COLORREF background, int* width, int* height,
                      std::vector<COLORREF>* pixels, std::string* error) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    if (error) *error = std::strerror(errno);
    return errno == ENOENT || errno == ENOTDIR ? PngReadResult::kNotFound : PngReadResult::kInvalid;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  auto fail = [&](const char* reason) {
    if (error) *error = image.warning_or_error ? image.message : reason;
    png_image_free(&image);
    return PngReadResult::kInvalid;
  };
  if (!png_image_begin_read_from_stdio(&image, file.get())) return fail("not a PNG file");
  constexpr uint64_t kMaxPixels = uint64_t{1} << 26;
  if (image.width == 0 || image.height == 0 || uint64_t{image.width} * image.height > kMaxPixels)
    return fail("the picture is too large");
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  png_color back{GetRValue(background), GetGValue(background), GetBValue(background)};
  if (!png_image_finish_read(&image, &back, rgb.data(), 0, nullptr))
    return fail("the picture is damaged");
  *width = static_cast<int>(image.width);
  *height = static_cast<int>(image.height);
  pixels->resize(static_cast<size_t>(image.width) * image.height);
  for (size_t i = 0; i < pixels->size(); ++i)
    (*pixels)[i] = RGB(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
  png_image_free(&image);
  return PngReadResult::kOk;
}

}  // namespace vg
