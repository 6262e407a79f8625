#pragma once
// Internal to the raster device: fonts realised with FreeType. A logical font record is
// matched to a face file through fontconfig (with our own aliases, so "MS Sans Serif" finds
// the Arial-metric sans face), opened at the record's pixel size and turned by its
// escapement. Realised fonts and their rendered glyphs are cached, so drawing the same text
// again rasterises nothing and allocates nothing.
//
// The cache is bounded by bytes (FontCacheLimit, 64 MB unless set): FreeType's own memory
// (counted by the allocator we give it) plus our glyph bitmaps. When a new font or glyph
// would pass the bound, the least recently used fonts go first, never the one being drawn
// with; when that one alone is too large, its own glyphs go. A glyph larger than a
// sixteenth of the bound is not kept at all: the font remembers its metrics, and its
// coverage is rendered again into one transient glyph each time it is drawn, released at
// the end of the text call (ReleaseTransientGlyph).
//
// Any font dropped moves the cache's epoch on, so logical fonts that remember a realised
// form look it up again rather than use a freed one. Pointers from Realize stay valid until
// the next Realize or FlushFontCache; a glyph pointer until the next GlyphIn or Advance
// call on any font.
#include <cstddef>
#include <cstdint>
#include <list>
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
  // Too large to keep: only the metrics above are kept; the coverage is rendered per call.
  bool oversized = false;
};

// The part of the cache key that makes two logical fonts draw alike. Fixed-size fields, so
// looking a font up allocates nothing.
struct FontKey {
  char face[kLfFaceSize] = {};
  int32_t height = 0;
  int32_t escapement = 0;
  int32_t weight = 0;
  bool italic = false;
  bool operator==(const FontKey& o) const;
};
struct FontKeyHash {
  size_t operator()(const FontKey& k) const;
};

class RealizedFont {
 public:
  ~RealizedFont();
  RealizedFont(const RealizedFont&) = delete;
  RealizedFont& operator=(const RealizedFont&) = delete;
  bool ok() const { return face_ != nullptr; }
  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  // Escapement in radians, counter-clockwise.
  double angle() const { return angle_; }
  // Underline and strike-out lines: offset below the baseline (negative: above) and thickness.
  int underline_offset() const { return underline_offset_; }
  int strike_offset() const { return strike_offset_; }
  int line_thickness() const { return line_thickness_; }
  // The glyph of a character with its coverage, rendered once and kept; nullptr when the
  // face cannot make it. An oversized glyph is rendered now, into the transient glyph, and
  // only its part inside `window` (pixels of its whole bitmap, from the top left): text
  // of thousands of pixels costs what its visible part costs.
  struct Window {
    int left, top, right, bottom;
  };
  const Glyph* GlyphIn(uint32_t codepoint, const Window& window);
  // The unturned advance of a character, without rendering an oversized glyph again.
  int Advance(uint32_t codepoint);
  // The kept entry of a character (for an oversized one its metrics only, with `oversized`
  // set), rendering it if it has none yet; nullptr when the face cannot make it. Valid
  // while GlyphGeneration() is unchanged.
  const Glyph* Kept(uint32_t codepoint);
  // Bytes of the glyphs this font keeps.
  size_t glyph_bytes() const { return glyph_bytes_; }

 private:
  friend RealizedFont* Realize(const LOGFONTA& record);
  friend class FontCache;
  RealizedFont() = default;
  // The kept entry of a character, rendering it if it has none yet.
  const Glyph* Entry(uint32_t codepoint);
  // Renders a character's glyph into `out` (nothing when the face cannot make it). A glyph
  // larger than the cache keeps gets its metrics only and `oversized`, unless `window`
  // asks for that part of its bitmap.
  void Render(uint32_t codepoint, Glyph* out, const Window* window = nullptr);
  void DropGlyphs();

  void* face_ = nullptr;  // FT_Face
  int ascent_ = 0;
  int descent_ = 0;
  double angle_ = 0.0;
  int underline_offset_ = 0;
  int strike_offset_ = 0;
  int line_thickness_ = 1;
  const Glyph* ascii_[128] = {};
  std::unordered_map<uint32_t, std::unique_ptr<Glyph>> glyphs_;
  size_t glyph_bytes_ = 0;
  FontKey key_;
  std::list<std::unique_ptr<RealizedFont>>::iterator lru_;  // its place in the cache
};

// The realised form of a logical font, from the cache or made now. Never nullptr; a font
// whose face cannot be found or opened is realised as one that measures and draws nothing.
RealizedFont* Realize(const LOGFONTA& record);

// Marks a realised font as just used (it goes last when the cache makes room).
void TouchFont(RealizedFont* font);

// Moves on whenever realised fonts are dropped, so that fonts remembering one know to look
// again.
uint64_t FontCacheEpoch();

// Moves on whenever kept glyphs are freed (a font's glyphs dropped to make room, a font
// dropped, the cache flushed), so that pointers to kept glyphs can be checked.
uint64_t GlyphGeneration();

// Whether the cache holds the realised form of `record` (without counting as a use).
bool FontCached(const LOGFONTA& record);

// Frees the transient glyph an oversized character was rendered into.
void ReleaseTransientGlyph();

// Decodes one UTF-8 character at text[*i], advancing *i; invalid bytes read as U+FFFD.
uint32_t NextCodepoint(const char* text, int length, int* i);

}  // namespace vg::gdi::detail
