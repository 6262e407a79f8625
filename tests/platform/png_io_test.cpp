#include "platform/imaging/png_io.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/automation/errors.h"
#include "platform/imaging/load_picture.h"
#include "tests/platform/png_test_files.h"

namespace vg {
namespace {

using testing::TestPng;
using testing::WriteTestPng;

constexpr COLORREF kBack = 0xC0C0C0;  // what transparent parts of a picture show

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "vg-png-" + name + ".png";
}

std::vector<COLORREF> Load(const std::string& path, int* width = nullptr, int* height = nullptr) {
  int w = 0, h = 0;
  std::vector<COLORREF> pixels;
  std::string error;
  EXPECT_EQ(LoadPng(path, kBack, &w, &h, &pixels, &error), PngReadResult::kOk) << error;
  if (width) *width = w;
  if (height) *height = h;
  return pixels;
}

struct DecodeRow {
  const char* name;
  TestPng png;
  std::vector<COLORREF> expected;  // the first row of pixels
};

TestPng Image(int color_type, int depth, std::vector<uint16_t> samples) {
  TestPng p;
  p.color_type = color_type;
  p.depth = depth;
  int channels = color_type == PNG_COLOR_TYPE_GRAY || color_type == PNG_COLOR_TYPE_PALETTE ? 1
                 : color_type == PNG_COLOR_TYPE_GRAY_ALPHA                                 ? 2
                 : color_type == PNG_COLOR_TYPE_RGB                                        ? 3
                                                                                           : 4;
  p.width = static_cast<int>(samples.size()) / channels;
  p.samples = std::move(samples);
  return p;
}

TestPng WithPalette(TestPng p, std::vector<png_color> palette, std::vector<png_byte> alpha = {}) {
  p.palette = std::move(palette);
  p.palette_alpha = std::move(alpha);
  return p;
}

TestPng WithTrans(TestPng p, uint16_t r, uint16_t g, uint16_t b) {
  png_color_16 c{};
  c.red = r, c.green = g, c.blue = b, c.gray = r;
  p.trans = c;
  return p;
}

std::vector<png_color> Ramp(int entries) {
  std::vector<png_color> palette;
  for (int i = 0; i < entries; ++i)
    palette.push_back({static_cast<png_byte>(i * 16 + 5), static_cast<png_byte>(250 - i),
                       static_cast<png_byte>(i * 3)});
  return palette;
}

// Four pixels wide so that an interlaced image spreads them over three passes.
std::vector<DecodeRow> DecodeRows() {
  constexpr int G = PNG_COLOR_TYPE_GRAY, GA = PNG_COLOR_TYPE_GRAY_ALPHA, RGB = PNG_COLOR_TYPE_RGB,
                RGBA = PNG_COLOR_TYPE_RGB_ALPHA, P = PNG_COLOR_TYPE_PALETTE;
  return {
      {"grey1", Image(G, 1, {0, 1, 1, 0}), {0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000}},
      {"grey2", Image(G, 2, {0, 1, 2, 3}), {0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF}},
      {"grey4", Image(G, 4, {0, 5, 10, 15}), {0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF}},
      {"grey8", Image(G, 8, {0, 50, 128, 255}), {0x000000, 0x323232, 0x808080, 0xFFFFFF}},
      // v / 257 rounded: 255 -> 1 (not 0), 0xFF00 -> 254 (not 255), 32896 -> 128, 128 -> 0.
      {"grey16", Image(G, 16, {255, 0xFF00, 32896, 128}), {0x010101, 0xFEFEFE, 0x808080, 0}},
      {"rgb8",
       Image(RGB, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3}),
       {0x0000FF, 0x00FF00, 0xFF0000, 0x030201}},
      {"rgb16",
       Image(RGB, 16, {65535, 0, 255, 0, 65535, 0, 0xFF00, 32896, 129, 0, 0, 65535}),
       {0x0100FF, 0x00FF00, 0x0180FE, 0xFF0000}},
      {"palette1",
       WithPalette(Image(P, 1, {0, 1, 1, 0}), {{10, 20, 30}, {200, 100, 50}}),
       {0x1E140A, 0x3264C8, 0x3264C8, 0x1E140A}},
      {"palette2",
       WithPalette(Image(P, 2, {3, 2, 1, 0}), Ramp(4)),
       {0x09F735, 0x06F825, 0x03F915, 0x00FA05}},
      {"palette4",
       WithPalette(Image(P, 4, {15, 0, 7, 9}), Ramp(16)),
       {0x2DEBF5, 0x00FA05, 0x15F375, 0x1BF195}},
      {"palette8",
       WithPalette(Image(P, 8, {200, 1, 255, 0}), Ramp(256)),
       {0x583285, 0x03F915, 0xFDFBF5, 0x00FA05}},
      // tRNS of a palette: entry 0 invisible, entry 1 (red) half covering the background.
      {"palette8 tRNS",
       WithPalette(Image(P, 8, {0, 1, 2, 1}), {{9, 9, 9}, {255, 0, 0}, {0, 0, 255}}, {0, 128}),
       {kBack, 0x6060E0, 0xFF0000, 0x6060E0}},
      {"grey-alpha8",
       Image(GA, 8, {200, 128, 0, 0, 0, 255, 255, 255}),
       {0xC4C4C4, kBack, 0x000000, 0xFFFFFF}},
      // 65535 at alpha 32768 over 192: (65535 * 32768 + 49344 * 32767) / 65535 / 257 = 223.5005.
      {"grey-alpha16",
       Image(GA, 16, {65535, 32768, 0, 0, 0, 65535, 32896, 65535}),
       {0xE0E0E0, kBack, 0x000000, 0x808080}},
      // Red at alpha 79: green (192 * 176) / 255 = 132.52 -> 133.
      {"rgba8",
       Image(RGBA, 8, {255, 0, 0, 79, 0, 0, 255, 0, 0, 255, 0, 255, 0, 0, 0, 128}),
       {0x8585D4, kBack, 0x00FF00, 0x606060}},
      // Red at 31 % (20316 / 65535): green 192 * 0.69 = 132.48 -> 132.
      {"rgba16",
       Image(RGBA, 16,
             {65535, 0, 0, 20316, 0, 0, 0, 0, 0, 65535, 0, 65535, 65535, 65535, 65535, 32768}),
       {0x8484D4, kBack, 0x00FF00, 0xE0E0E0}},
      {"grey2 tRNS",
       WithTrans(Image(G, 2, {0, 1, 2, 3}), 1, 1, 1),
       {0x000000, kBack, 0xAAAAAA, 0xFFFFFF}},
      {"grey8 tRNS",
       WithTrans(Image(G, 8, {50, 51, 0, 255}), 50, 50, 50),
       {kBack, 0x333333, 0x000000, 0xFFFFFF}},
      {"rgb8 tRNS",
       WithTrans(Image(RGB, 8, {0, 255, 0, 0, 254, 0, 1, 2, 3, 0, 255, 0}), 0, 255, 0),
       {kBack, 0x00FE00, 0x030201, kBack}},
      {"rgb16 tRNS",
       WithTrans(Image(RGB, 16, {1, 2, 3, 1, 2, 4, 65535, 0, 0, 0, 0, 0}), 1, 2, 3),
       {kBack, 0x000000, 0x0000FF, 0x000000}},
  };
}

// Every colour type and depth keeps its stored values, interlaced or not, and whatever
// gamma or chromaticity chunks it carries.
TEST(LoadPng, KeepsStoredColoursOfEveryFormat) {
  struct Variant {
    const char* name;
    bool interlaced;
    std::optional<double> gamma;
    bool chromaticities;
  };
  const Variant variants[] = {{"plain", false, std::nullopt, false},
                              {"interlaced", true, std::nullopt, false},
                              {"gamma 1.0", false, 1.0, false},
                              {"interlaced gamma 1/2.2 cHRM", true, 1 / 2.2, true}};
  for (const DecodeRow& row : DecodeRows()) {
    for (const Variant& v : variants) {
      TestPng png = row.png;
      png.interlaced = v.interlaced;
      png.gamma = v.gamma;
      png.chromaticities = v.chromaticities;
      std::string path = TempPath("decode");
      ASSERT_TRUE(WriteTestPng(path, png)) << row.name;
      int width = 0, height = 0;
      EXPECT_EQ(Load(path, &width, &height), row.expected) << row.name << ", " << v.name;
      EXPECT_EQ(width, 4);
      EXPECT_EQ(height, 1);
      std::remove(path.c_str());
    }
  }
}

// Interlaced images of every pass pattern decode to the same pixels as plain ones; 16-bit
// samples follow the rounding rule everywhere.
TEST(LoadPng, DecodesInterlacedImagesOfEveryDepth) {
  const int width = 13, height = 11;
  for (int color_type : {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                         PNG_COLOR_TYPE_RGB_ALPHA}) {
    int channels = color_type == PNG_COLOR_TYPE_GRAY         ? 1
                   : color_type == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                   : color_type == PNG_COLOR_TYPE_RGB        ? 3
                                                             : 4;
    TestPng png;
    png.width = width, png.height = height, png.depth = 16, png.color_type = color_type;
    png.interlaced = true;
    std::vector<COLORREF> expected;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        uint16_t v[3] = {static_cast<uint16_t>(x * 5000 + y * 7),
                         static_cast<uint16_t>(65535 - y * 5900 - x),
                         static_cast<uint16_t>((x * y * 911) & 0xFFFF)};
        for (int c = 0; c < channels; ++c)
          png.samples.push_back(c == channels - 1 && !(channels & 1) ? 65535 : v[c]);
        auto to8 = [](uint32_t s) { return static_cast<uint8_t>((s * 255 + 32767) / 65535); };
        expected.push_back(channels < 3 ? RGB(to8(v[0]), to8(v[0]), to8(v[0]))
                                        : RGB(to8(v[0]), to8(v[1]), to8(v[2])));
      }
    }
    std::string path = TempPath("interlaced");
    ASSERT_TRUE(WriteTestPng(path, png));
    EXPECT_EQ(Load(path), expected) << "colour type " << color_type;
    std::remove(path.c_str());
  }

  // Pure green at the top right corner of a 16-bit RGB image stays pure green.
  TestPng green;
  green.width = 8, green.height = 8, green.depth = 16, green.interlaced = true;
  green.samples.assign(8 * 8 * 3, 0);
  green.samples[7 * 3 + 1] = 65535;
  std::string path = TempPath("green");
  ASSERT_TRUE(WriteTestPng(path, green));
  std::vector<COLORREF> pixels = Load(path);
  ASSERT_EQ(pixels.size(), 64u);
  EXPECT_EQ(pixels[7], 0x00FF00u);
  EXPECT_EQ(pixels[6], 0x000000u);
  std::remove(path.c_str());
}

// A file holding only a header and a few bytes of data.
std::string WriteHeaderOnly(const std::string& name, uint32_t width, uint32_t height) {
  auto be32 = [](std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(v >> shift);
  };
  auto chunk = [&](std::string& out, const char* type, const std::string& data) {
    be32(out, static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    be32(out,
         static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
  };
  std::string ihdr;
  be32(ihdr, width);
  be32(ihdr, height);
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, not interlaced
  std::string file = "\x89PNG\r\n\x1a\n";
  chunk(file, "IHDR", ihdr);
  chunk(file, "IDAT", std::string("\x78\x9c\x63\x00\x00\x00\x01\x00\x01", 9));
  chunk(file, "IEND", "");
  std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << file;
  return path;
}

TEST(LoadPng, RefusesPicturesLargerThanTheirFileOrTheBitmapCap) {
  int w = 0, h = 0;
  std::vector<COLORREF> pixels;
  std::string error;
  // 8192 x 8192 is within the cap, but 66 bytes cannot hold its rows: refused before the
  // 200 MB the rows would take are allocated.
  std::string path = WriteHeaderOnly("claims-8192", 8192, 8192);
  EXPECT_EQ(LoadPng(path, kBack, &w, &h, &pixels, &error), PngReadResult::kInvalid);
  EXPECT_EQ(error, "the picture's data is shorter than its size needs");
  std::remove(path.c_str());

  path = WriteHeaderOnly("beyond-cap", 8193, 8192);
  EXPECT_EQ(LoadPng(path, kBack, &w, &h, &pixels, &error), PngReadResult::kInvalid);
  EXPECT_EQ(error, "the picture is too large");
  EXPECT_TRUE(pixels.empty());
  std::remove(path.c_str());

  // The most compressible picture there is still loads: 2048 x 2048 black at one bit.
  TestPng black;
  black.width = black.height = 2048, black.depth = 1, black.color_type = PNG_COLOR_TYPE_GRAY;
  path = TempPath("black");
  ASSERT_TRUE(WriteTestPng(path, black));
  EXPECT_EQ(LoadPng(path, kBack, &w, &h, &pixels, &error), PngReadResult::kOk) << error;
  EXPECT_EQ(pixels.size(), 2048u * 2048u);
  EXPECT_EQ(pixels.back(), 0u);
  std::remove(path.c_str());
}

TEST(LoadPng, RefusesDamagedFiles) {
  TestPng png = Image(PNG_COLOR_TYPE_RGB, 8, std::vector<uint16_t>(3 * 64, 7));
  png.height = 1;
  std::string path = TempPath("whole");
  ASSERT_TRUE(WriteTestPng(path, png));
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  int w = 0, h = 0;
  std::vector<COLORREF> pixels;
  std::string error;
  for (size_t keep : {size_t{0}, size_t{7}, size_t{20}, size_t{40}, bytes.size() - 13}) {
    std::ofstream(path, std::ios::binary) << bytes.substr(0, keep);
    EXPECT_EQ(LoadPng(path, kBack, &w, &h, &pixels, &error), PngReadResult::kInvalid) << keep;
  }
  EXPECT_EQ(LoadPng(::testing::TempDir(), kBack, &w, &h, &pixels, &error), PngReadResult::kInvalid);
  EXPECT_EQ(LoadPng(path + ".missing", kBack, &w, &h, &pixels, &error), PngReadResult::kNotFound);
  std::remove(path.c_str());
}

// The fuzzer's seeds cover every colour type and depth; each must be a picture.
TEST(LoadPng, ReadsEveryFuzzSeed) {
  const char* source = std::getenv("VG_SOURCE_DIR");
  if (!source) GTEST_SKIP() << "VG_SOURCE_DIR is not set";
  int seeds = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(source) + "/fuzz/corpus/png")) {
    int width = 0, height = 0;
    EXPECT_EQ(Load(entry.path().string(), &width, &height).size(), 63u) << entry.path();
    ++seeds;
  }
  EXPECT_GE(seeds, 30);
}

TEST(LoadPicture, ShowsTheDefaultBackgroundThroughTransparency) {
  std::string path = TempPath("picture");
  TestPng png = Image(PNG_COLOR_TYPE_RGB_ALPHA, 8, {255, 0, 0, 0, 0, 0, 255, 128, 0, 0, 0, 255});
  ASSERT_TRUE(WriteTestPng(path, png));
  StdPictureRef picture = LoadPicture(path);
  EXPECT_EQ(picture->PixelWidth(), 3);
  // Blue at alpha 128 over 192: red and green (192 * 127) / 255 = 95.6, blue 223.6.
  EXPECT_EQ(picture->Pixels(), (std::vector<COLORREF>{0xC0C0C0, 0xE06060, 0x000000}));
  std::remove(path.c_str());

  auto error_of = [](const std::string& p) {
    try {
      LoadPicture(p);
    } catch (const AutomationError& e) {
      return e.number();
    }
    return 0;
  };
  EXPECT_EQ(error_of(path), err::kFileNotFound);
  path = WriteHeaderOnly("picture-header", 8192, 8192);
  EXPECT_EQ(error_of(path), err::kInvalidPicture);
  std::remove(path.c_str());
}

TEST(SavePng, WritesRedGreenBlueInTheirPlaces) {
  const COLORREF pixels[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x030201, 0xFFFFFF, 0x000000};
  std::string path = TempPath("saved"), error;
  ASSERT_TRUE(SavePng(path, pixels, 3, 2, &error)) << error;
  int w = 0, h = 0;
  EXPECT_EQ(
      testing::ReadRgbBytes(path, &w, &h),
      (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3, 255, 255, 255, 0, 0, 0}));
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(Load(path), std::vector<COLORREF>(std::begin(pixels), std::end(pixels)));
  std::remove(path.c_str());

  // libpng refuses a width beyond its limit: reported, nothing left behind.
  std::vector<COLORREF> wide(2000001);
  EXPECT_FALSE(SavePng(path, wide.data(), 2000001, 1, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(std::ifstream(path).good());
  EXPECT_FALSE(std::ifstream(path + ".tmp").good());
}

}  // namespace
}  // namespace vg
