#pragma once
// A digest of a window's pixels, to compare renderings without storing them: 64-bit FNV-1a
// over the width, the height and every pixel (0x00BBGGRR, row by row), each taken as four
// bytes, least significant first, so the digest is the same on every machine.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/gdi/gdi.h"

namespace vg {

inline uint64_t PixelHash(const gdi::PixelView& view) {
  uint64_t hash = 0xcbf29ce484222325ull;
  auto add = [&hash](uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8) {
      hash ^= (word >> shift) & 0xFF;
      hash *= 0x100000001b3ull;
    }
  };
  add(static_cast<uint32_t>(view.width));
  add(static_cast<uint32_t>(view.height));
  size_t count = static_cast<size_t>(view.width) * static_cast<size_t>(view.height);
  for (size_t i = 0; i < count; ++i) add(view.pixels[i]);
  return hash;
}

// The digest as 16 lower-case hex digits.
inline std::string PixelHashText(uint64_t hash) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace vg
