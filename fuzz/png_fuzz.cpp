// Feeds arbitrary bytes to the PNG decoder: a picture or a refusal, never a crash or a hang.
// Mutated chunks would almost all be refused by their CRC before reaching the decoder, so
// every complete chunk gets its CRC recomputed first. Seeds of every colour type and depth:
// fuzz/corpus/png (written by scripts/make_png_seeds.py).
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/imaging/png_io.h"

namespace {

uint32_t ReadBigEndian(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// Walks the chunks after the 8-byte signature (length, type, data, CRC) and writes the
// right CRC into each one that lies wholly inside the bytes; stops at the first that
// does not.
void FixChunkCrcs(std::vector<uint8_t>& bytes) {
  size_t at = 8;
  while (at + 12 <= bytes.size()) {
    uint32_t length = ReadBigEndian(&bytes[at]);
    if (length > bytes.size() - at - 12) break;
    uint32_t crc = static_cast<uint32_t>(crc32(0, &bytes[at + 4], length + 4));
    uint8_t* out = &bytes[at + 8 + length];
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    at += 12 + size_t{length};
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  FixChunkCrcs(bytes);
  int width = 0, height = 0;
  std::vector<vg::COLORREF> pixels;
  std::string error;
  if (vg::LoadPngFromMemory(bytes.data(), bytes.size(), 0xC0C0C0, &width, &height, &pixels,
                            &error) == vg::PngReadResult::kOk &&
      pixels.size() != static_cast<size_t>(width) * height)
    __builtin_trap();
  return 0;
}
