#pragma once
// Internal to the raster device: fonts realised with FreeType. A logical font record is
// matched to a face file through fontconfig (with our own aliases, so "MS Sans Serif" finds
// the Arial-metric sans face), opened at the record's pixel size and turned by its
// escapement. Realised fonts and their rendered glyphs are cached, so drawing the same text
// again rasterises nothing and allocates nothing.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/gdi/gdi.h"

namespace vg::gdi::detail {

struct Glyph {
  int left = 0;  // bitmap offset from the pen position, pixels, x to the right
  int top = 0;   // bitmap offset from the pen position, pixels, y upwards
  int width = 0;
  int height = 0;
  int advance = 0;  // unturned advance in whole pixels
  int stride = 0;   // bytes per coverage row: width and three zeros, for whole groups of four
  std::vector<uint8_t> coverage;  // stride x height, 0..255
  // Per row, the columns from the first to past the last pixel with any coverage, so that
  // drawing skips the empty ends of each row.
  std::vector<uint16_t> ink_begin;
  std::vector<uint16_t> ink_end;
};

class RealizedFont {
 public:
  ~RealizedFont();
  bool ok() const { return face_ != nullptr; }
  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  // Escapement in radians, counter-clockwise.
  double angle() const { return angle_; }
  // Underline and strike-out lines: offset below the baseline (negative: above) and thickness.
  int underline_offset() const { return underline_offset_; }
  int strike_offset() const { return strike_offset_; }
  int line_thickness() const { return line_thickness_; }
  // The glyph of a character, rendered once and kept; nullptr when the face cannot make it.
  const Glyph* GlyphFor(uint32_t codepoint);

 private:
  friend RealizedFont* Realize(const LOGFONTA& record);
  RealizedFont() = default;

  void* face_ = nullptr;  // FT_Face
  int ascent_ = 0;
  int descent_ = 0;
  double angle_ = 0.0;
  int underline_offset_ = 0;
  int strike_offset_ = 0;
  int line_thickness_ = 1;
  const Glyph* ascii_[128] = {};
  std::unordered_map<uint32_t, std::unique_ptr<Glyph>> glyphs_;
  std::vector<std::unique_ptr<Glyph>> ascii_store_;
};

// The realised form of a logical font, from the cache or made now. Never nullptr; a font
// whose face cannot be found or opened is realised as one that measures and draws nothing.
RealizedFont* Realize(const LOGFONTA& record);

// Moves on whenever realised fonts are dropped, so that fonts remembering one know to look
// again.
uint64_t FontCacheEpoch();

// Decodes one UTF-8 character at text[*i], advancing *i; invalid bytes read as U+FFFD.
uint32_t NextCodepoint(const char* text, int length, int* i);

}  // namespace vg::gdi::detail
