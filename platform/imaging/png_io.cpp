#include "platform/imaging/png_io.h"

#include <png.h>
#include <sys/stat.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "platform/gdi/gdi.h"

namespace vg {
namespace {

struct FileCloser {
  void operator()(FILE* f) const {
    if (f) std::fclose(f);
  }
};

// libpng reports a fatal error by calling the error function, which must not return: it
// records the message and jumps back to the setjmp of the one function that drives
// libpng in its direction (WritePngImage, DecodePngImage). Those functions hold no C++
// object with a destructor, so the jump skips nothing that needs cleaning up; they return
// an error code and their callers report or raise outside.
struct PngErrorSink {
  char message[160] = {};
};

void SetMessage(PngErrorSink* sink, const char* message) {
  std::snprintf(sink->message, sizeof sink->message, "%s", message);
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  SetMessage(static_cast<PngErrorSink*>(png_get_error_ptr(png)), message);
  png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

// Writes width x height pixels as an 8-bit RGB PNG; `row` is scratch of width * 3 bytes.
int WritePngImage(FILE* file, const COLORREF* pixels, int width, int height, png_bytep row,
                  PngErrorSink* sink) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, sink, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    SetMessage(sink, "out of memory");
    return -1;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return -1;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    const COLORREF* src = pixels + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      row[x * 3 + 0] = GetRValue(src[x]);
      row[x * 3 + 1] = GetGValue(src[x]);
      row[x * 3 + 2] = GetBValue(src[x]);
    }
    png_write_row(png, row);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return 0;
}

// Deflate turns at most 258 bytes into 2 bits, so a stream of n bytes never inflates to
// more than 1032 n bytes. An image whose rows could not fit in the whole file even at that
// ratio is truncated; it is refused before its pixel buffer is allocated.
constexpr uint64_t kMaxInflateRatio = 1032;

// Colour and gamma chunks are not applied: pictures keep the sample values they store.
constexpr png_byte kIgnoredChunks[] = "gAMA\0cHRM\0sRGB\0iCCP";

struct PngDecodeJob {
  FILE* file = nullptr;
  uint64_t file_size = 0;
  // Storage of `bytes` bytes for the decoded rows, owned by the caller; null when memory
  // runs out. Must not throw.
  unsigned char* (*allocate)(void* context, size_t bytes) = nullptr;
  void* context = nullptr;
  // Out: the size, and the samples as RGBA rows of 8-bit (bytes_per_sample 1) or
  // big-endian 16-bit (2) samples.
  png_uint_32 width = 0, height = 0;
  int bytes_per_sample = 1;
  PngErrorSink sink;
};

int DecodePngImage(PngDecodeJob* job) {
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, &job->sink, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    SetMessage(&job->sink, "out of memory");
    return -1;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return -1;
  }
  png_init_io(png, job->file);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, 4);
  png_read_info(png, info);

  png_uint_32 width = 0, height = 0;
  int depth = 0, color_type = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &color_type, &interlace, nullptr, nullptr);
  if (uint64_t{width} * height > static_cast<uint64_t>(gdi::kMaxBitmapPixels))
    png_error(png, "the picture is too large");
  uint64_t channels = png_get_channels(png, info);
  uint64_t stored_row = (uint64_t{width} * channels * static_cast<unsigned>(depth) + 7) / 8;
  if (stored_row * height / kMaxInflateRatio > job->file_size)
    png_error(png, "the picture's data is shorter than its size needs");

  // Every colour type becomes RGBA of 8 or 16 bits: palette and low-depth grey expand,
  // tRNS becomes alpha, grey becomes RGB, and an opaque filler completes the four samples.
  png_set_expand(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFFFF, PNG_FILLER_AFTER);
  int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  int bytes = png_get_bit_depth(png, info) == 16 ? 2 : 1;
  size_t stride = png_get_rowbytes(png, info);
  if (png_get_channels(png, info) != 4 || stride != size_t{width} * 4 * bytes)
    png_error(png, "unexpected sample layout");
  unsigned char* rows = job->allocate(job->context, stride * height);
  if (!rows) png_error(png, "out of memory");
  // Each pass fills in its own pixels of the rows and leaves the others as they are.
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, rows + stride * y, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  job->width = width;
  job->height = height;
  job->bytes_per_sample = bytes;
  return 0;
}

unsigned char* AllocateRows(void* context, size_t bytes) {
  auto* storage = static_cast<std::vector<COLORREF>*>(context);
  try {
    storage->assign((bytes + sizeof(COLORREF) - 1) / sizeof(COLORREF), 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return reinterpret_cast<unsigned char*>(storage->data());
}

// A stored sample composed over the background's sample by its alpha, both at the
// stored precision (`max` is 255 or 65535), then brought to 8 bits, rounded once to the
// nearest value. The divisor is odd, so there is never an exact half.
uint8_t Compose(uint64_t sample, uint64_t alpha, uint64_t max, uint8_t background) {
  uint64_t back = background * (max / 255);  // 8-bit background at the stored precision
  uint64_t sum = sample * alpha + back * (max - alpha);
  uint64_t divisor = max * (max / 255);  // max * max / 255
  return static_cast<uint8_t>((2 * sum + divisor) / (2 * divisor));
}

// Turns the decoded RGBA samples into COLORREF pixels in place: pixel i is read from byte
// i * 4 * bytes before COLORREF i (bytes i * 4 ...) is written, so nothing unread is lost.
void ComposeInPlace(std::vector<COLORREF>* storage, size_t count, int bytes, COLORREF background) {
  const unsigned char* in = reinterpret_cast<const unsigned char*>(storage->data());
  const uint64_t max = bytes == 2 ? 65535 : 255;
  const uint8_t back[3] = {GetRValue(background), GetGValue(background), GetBValue(background)};
  for (size_t i = 0; i < count; ++i) {
    uint64_t s[4];
    const unsigned char* p = in + i * 4 * bytes;
    for (int c = 0; c < 4; ++c) s[c] = bytes == 2 ? p[c * 2] * 256u + p[c * 2 + 1] : p[c];
    (*storage)[i] = RGB(Compose(s[0], s[3], max, back[0]), Compose(s[1], s[3], max, back[1]),
                        Compose(s[2], s[3], max, back[2]));
  }
  storage->resize(count);
  if (bytes == 2) storage->shrink_to_fit();
}

PngReadResult Decode(FILE* file, uint64_t file_size, COLORREF background, int* width, int* height,
                     std::vector<COLORREF>* pixels, std::string* error) {
  std::vector<COLORREF> storage;
  PngDecodeJob job;
  job.file = file;
  job.file_size = file_size;
  job.allocate = AllocateRows;
  job.context = &storage;
  if (DecodePngImage(&job) != 0) {
    if (error) *error = job.sink.message;
    return PngReadResult::kInvalid;
  }
  if (job.width == 0 || job.height == 0) {
    if (error) *error = "the picture is empty";
    return PngReadResult::kInvalid;
  }
  ComposeInPlace(&storage, size_t{job.width} * job.height, job.bytes_per_sample, background);
  *width = static_cast<int>(job.width);
  *height = static_cast<int>(job.height);
  *pixels = std::move(storage);
  return PngReadResult::kOk;
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
  std::vector<png_byte> row(static_cast<size_t>(width) * 3);
  PngErrorSink sink;
  bool ok = WritePngImage(file.get(), pixels, width, height, row.data(), &sink) == 0;
  if (!ok && error) *error = sink.message;
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
  struct stat status;
  if (fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode)) {
    if (error) *error = "not a file";
    return PngReadResult::kInvalid;
  }
  return Decode(file.get(), static_cast<uint64_t>(status.st_size), background, width, height,
                pixels, error);
}

PngReadResult LoadPngFromMemory(const unsigned char* data, size_t size, COLORREF background,
                                int* width, int* height, std::vector<COLORREF>* pixels,
                                std::string* error) {
  if (size == 0) {
    if (error) *error = "not a PNG file";
    return PngReadResult::kInvalid;
  }
  std::unique_ptr<FILE, FileCloser> file(fmemopen(const_cast<unsigned char*>(data), size, "rb"));
  if (!file) {
    if (error) *error = std::strerror(errno);
    return PngReadResult::kInvalid;
  }
  return Decode(file.get(), size, background, width, height, pixels, error);
}

}  // namespace vg
