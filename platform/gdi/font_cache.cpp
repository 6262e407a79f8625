#include "platform/gdi/font_cache.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_MODULE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>

namespace vg::gdi::detail {
namespace {

// Our own aliases, loaded on top of the system's configuration: fontconfig knows no
// "MS Sans Serif" and would fall back to a face 14% wider than the Arial-metric one.
constexpr char kFontAliases[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>MS Sans Serif</family>
    <prefer><family>Liberation Sans</family><family>Arimo</family><family>Arial</family></prefer>
  </alias>
  <alias binding="same">
    <family>Microsoft Sans Serif</family>
    <prefer><family>Liberation Sans</family><family>Arimo</family><family>Arial</family></prefer>
  </alias>
</fontconfig>
)";

// The bytes FreeType holds, counted by the allocator we hand it: every block carries its
// size in a header of 16 bytes (which keeps the blocks aligned as malloc's).
struct CountingMemory {
  static constexpr size_t kHeader = 16;
  size_t bytes = 0;
  FT_MemoryRec_ record{};

  CountingMemory() {
    record.user = this;
    record.alloc = [](FT_Memory m, long size) -> void* {
      return static_cast<CountingMemory*>(m->user)->Resize(nullptr, static_cast<size_t>(size));
    };
    record.free = [](FT_Memory m, void* block) {
      CountingMemory& self = *static_cast<CountingMemory*>(m->user);
      if (!block) return;
      char* base = static_cast<char*>(block) - kHeader;
      size_t size;
      std::memcpy(&size, base, sizeof size);
      self.bytes -= size;
      std::free(base);
    };
    record.realloc = [](FT_Memory m, long, long size, void* block) -> void* {
      return static_cast<CountingMemory*>(m->user)->Resize(block, static_cast<size_t>(size));
    };
  }

  void* Resize(void* block, size_t size) {
    char* base = block ? static_cast<char*>(block) - kHeader : nullptr;
    size_t old = 0;
    if (base) std::memcpy(&old, base, sizeof old);
    char* moved = static_cast<char*>(std::realloc(base, size + kHeader));
    if (!moved) return nullptr;
    std::memcpy(moved, &size, sizeof size);
    bytes = bytes - old + size;
    return moved + kHeader;
  }
};

// FreeType with our allocator. A library and the faces made through it may be used by one
// thread at a time, so each thread's cache has its own (see FontCache).
struct Library {
  CountingMemory memory;
  FT_Library ft = nullptr;
  Library() {
    // What FT_Init_FreeType does, with our allocator.
    if (FT_New_Library(&memory.record, &ft) == 0) {
      FT_Add_Default_Modules(ft);
      FT_Set_Default_Properties(ft);
    } else {
      ft = nullptr;
    }
  }
  ~Library() {
    if (ft) FT_Done_Library(ft);
  }
};

// fontconfig's configuration with our aliases, shared by all threads: matching against one
// configuration from several threads at once is safe in fontconfig. It is the process's
// current configuration: a toolkit in the same process (Qt) has loaded it already, and
// loading a second one would read every font's cache again. We hold a reference of our own
// (made now if nobody has) and drop it when the process ends, after every thread's fonts.
class SharedConfig {
 public:
  SharedConfig() : config_(FcConfigReference(nullptr)) {
    if (config_)
      FcConfigParseAndLoadFromMemory(config_, reinterpret_cast<const FcChar8*>(kFontAliases),
                                     FcTrue);
  }
  ~SharedConfig() {
    if (config_) FcConfigDestroy(config_);
  }
  SharedConfig(const SharedConfig&) = delete;
  SharedConfig& operator=(const SharedConfig&) = delete;
  FcConfig* get() const { return config_; }

 private:
  FcConfig* config_;
};

FcConfig* SharedFontConfig() {
  static SharedConfig shared;
  return shared.get();
}

Library& library();

// The face file and index fontconfig chooses for a family, weight and slant.
bool MatchFace(const char* family, int weight, bool italic, std::string* file, int* index) {
  FcConfig* const config = SharedFontConfig();
  if (!config) return false;
  // Owned, so that running out of memory while the file name is copied releases both.
  using Pattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;
  Pattern pattern(FcPatternCreate(), FcPatternDestroy);
  if (!pattern) return false;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight <= 0 ? 400 : weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result;
  Pattern match(FcFontMatch(config, pattern.get(), &result), FcPatternDestroy);
  bool ok = false;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match.get(), FC_FILE, 0, &path) == FcResultMatch && path) {
    *file = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, index) != FcResultMatch) *index = 0;
    ok = true;
  }
  return ok;
}

// What a glyph costs the cache: its bitmap and row bounds, the glyph record and the
// table entry that holds it.
size_t GlyphBytes(const Glyph& g) {
  return sizeof(Glyph) + 32 + g.coverage.capacity() +
         (g.ink_begin.capacity() + g.ink_end.capacity()) * sizeof(uint16_t);
}

// A glyph whose whole bitmap would take more than this (about 1000 x 1000 pixels, text far
// taller than any bar shows whole) is not kept; it is rendered only where it is drawn (a
// window of it), so that text thousands of pixels high costs what its visible part costs.
constexpr int64_t kCutGlyphBytes = int64_t{1} << 20;

// What a realised font costs besides FreeType's memory and its glyphs.
constexpr size_t kFontBytes = sizeof(RealizedFont) + 96;

}  // namespace

// FreeType with the fonts realised through it, most recently used first. One object, so
// that the fonts (and their faces) go before the library that made them. One per thread
// (made on the thread's first text call, gone when the thread ends): threads drawing text
// at once share no face and no glyph, and need no lock. The bound applies to each thread's
// cache.
class FontCache {
 public:
  uint64_t epoch = 1;
  uint64_t glyph_generation = 1;  // moves on whenever kept glyphs are freed
  size_t limit = kDefaultFontCacheBytes;
  Library library;
  std::list<std::unique_ptr<RealizedFont>> lru;
  std::unordered_map<FontKey, RealizedFont*, FontKeyHash> index;
  size_t glyph_bytes = 0;  // of every kept glyph
  Glyph transient;         // the last oversized glyph rendered, and whose it is
  const RealizedFont* transient_font = nullptr;
  uint32_t transient_codepoint = 0;

  ~FontCache() { Clear(); }

  size_t Bytes() const {
    return library.memory.bytes + glyph_bytes + lru.size() * kFontBytes +
           transient.coverage.capacity();
  }
  size_t GlyphLimit() const { return limit / 16; }

  // Makes room for `more` bytes beside what is held, dropping the least recently used
  // fonts other than `keep`; when only `keep` is left, its glyphs.
  void MakeRoom(size_t more, RealizedFont* keep) {
    while (Bytes() + more > limit) {
      RealizedFont* victim = nullptr;
      if (!lru.empty()) victim = lru.back().get();
      if (victim == keep) victim = lru.size() > 1 ? std::prev(lru.end(), 2)->get() : nullptr;
      if (!victim) {
        if (keep && keep->glyph_bytes_ > 0) keep->DropGlyphs();
        return;
      }
      Drop(victim);
    }
  }

  void Touch(RealizedFont* font) {
    if (font->lru_ != lru.begin()) lru.splice(lru.begin(), lru, font->lru_);
  }

  void Drop(RealizedFont* font) {
    if (transient_font == font) DropTransient();
    index.erase(font->key_);
    lru.erase(font->lru_);  // frees the font, its glyphs and its face
    ++epoch;
    ++glyph_generation;
  }

  void DropTransient() {
    transient = Glyph();
    transient_font = nullptr;
  }

  void Clear() {
    DropTransient();
    index.clear();
    lru.clear();
    ++epoch;
    ++glyph_generation;
  }
};

namespace {

FontCache& cache() {
  thread_local FontCache c;
  return c;
}

Library& library() {
  return cache().library;
}

FontKey KeyOf(const LOGFONTA& record) {
  FontKey key;
  std::memcpy(key.face, record.lfFaceName, kLfFaceSize - 1);  // key.face stays NUL-ended
  key.height = record.lfHeight;
  key.escapement = record.lfEscapement % 3600;
  key.weight = record.lfWeight;
  key.italic = record.lfItalic != 0;
  return key;
}

}  // namespace

bool FontKey::operator==(const FontKey& o) const {
  return height == o.height && escapement == o.escapement && weight == o.weight &&
         italic == o.italic && std::strncmp(face, o.face, kLfFaceSize) == 0;
}

size_t FontKeyHash::operator()(const FontKey& k) const {
  size_t h = 1469598103934665603ull;
  for (int i = 0; i < kLfFaceSize && k.face[i]; ++i)
    h = (h ^ static_cast<unsigned char>(k.face[i])) * 1099511628211ull;
  h ^= static_cast<size_t>(k.height) * 31 + static_cast<size_t>(k.escapement) * 131 +
       static_cast<size_t>(k.weight) * 7 + k.italic;
  return h;
}

RealizedFont::~RealizedFont() {
  DropGlyphs();
  if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
}

void RealizedFont::DropGlyphs() {
  ++cache().glyph_generation;
  cache().glyph_bytes -= glyph_bytes_;
  glyph_bytes_ = 0;
  glyphs_.clear();
  std::fill(std::begin(ascii_), std::end(ascii_), nullptr);
}

void TouchFont(RealizedFont* font) {
  cache().Touch(font);
}

bool FontCached(const LOGFONTA& record) {
  return cache().index.count(KeyOf(record)) != 0;
}

RealizedFont* Realize(const LOGFONTA& record) {
  const FontKey key = KeyOf(record);
  FontCache& c = cache();
  if (auto it = c.index.find(key); it != c.index.end()) {
    TouchFont(it->second);
    return it->second;
  }

  std::unique_ptr<RealizedFont> font(new RealizedFont());
  font->key_ = key;
  font->angle_ = key.escapement / 10.0 * 3.14159265358979323846 / 180.0;
  Library& lib = library();
  std::string file;
  int index = 0;
  const char* family = key.face[0] ? key.face : "sans-serif";
  FT_Face face = nullptr;
  if (lib.ft && MatchFace(family, key.weight, key.italic, &file, &index) &&
      FT_New_Face(lib.ft, file.c_str(), index, &face) == 0) {
    // A negative height asks for that character (em) height; a positive one for the cell
    // height, ascent plus descent.
    FT_UInt em = 0;
    if (record.lfHeight < 0) {
      em = static_cast<FT_UInt>(-static_cast<int64_t>(record.lfHeight));
    } else if (record.lfHeight > 0 && face->units_per_EM > 0) {
      double cell = static_cast<double>(face->ascender) - face->descender;
      em = static_cast<FT_UInt>(
          std::lround(record.lfHeight * static_cast<double>(face->units_per_EM) / cell));
    } else {
      em = 16;  // the device's default size
    }
    if (em == 0) em = 1;
    if (em > 4096) em = 4096;
    if (FT_Set_Pixel_Sizes(face, 0, em) == 0) {
      font->face_ = face;
      font->ascent_ = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
      font->descent_ = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
      double scale = static_cast<double>(em) / face->units_per_EM;
      font->line_thickness_ =
          std::max(1, static_cast<int>(std::lround(face->underline_thickness * scale)));
      font->underline_offset_ =
          std::max(1, static_cast<int>(std::lround(-face->underline_position * scale)));
      font->strike_offset_ = -std::max(1, static_cast<int>(std::lround(font->ascent_ * 0.3)));
      if (TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
          os2 && os2->yStrikeoutSize > 0)
        font->strike_offset_ =
            -std::max(1, static_cast<int>(std::lround(os2->yStrikeoutPosition * scale)));
    } else {
      FT_Done_Face(face);
    }
  }
  RealizedFont* raw = font.get();
  c.lru.push_front(std::move(font));
  raw->lru_ = c.lru.begin();
  c.index.emplace(key, raw);
  c.MakeRoom(0, raw);  // the new face counts already
  return raw;
}

void RealizedFont::Render(uint32_t codepoint, Glyph* glyph, const Window* window) {
  // Anything a failed render leaves stays empty and drawing it draws nothing.
  FT_Face face = static_cast<FT_Face>(face_);
  FT_UInt index = FT_Get_Char_Index(face, codepoint);
  // The unturned advance decides the pen's steps, turned or not.
  FT_Set_Transform(face, nullptr, nullptr);
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) == 0)
    glyph->advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
  if (angle_ != 0.0) {
    FT_Matrix m;
    m.xx = static_cast<FT_Fixed>(std::lround(std::cos(angle_) * 65536.0));
    m.xy = static_cast<FT_Fixed>(std::lround(-std::sin(angle_) * 65536.0));
    m.yx = static_cast<FT_Fixed>(std::lround(std::sin(angle_) * 65536.0));
    m.yy = m.xx;
    FT_Set_Transform(face, &m, nullptr);
  }
  glyph->width = glyph->height = 0;
  glyph->coverage.clear();
  const bool loaded =
      FT_Load_Glyph(face, index, angle_ != 0.0 ? FT_LOAD_NO_HINTING : FT_LOAD_DEFAULT) == 0;
  FT_GlyphSlot slot = face->glyph;
  bool large = false;
  if (loaded && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    // The whole pixels the outline touches: the bitmap an oversized glyph is cut from.
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    const int64_t left = box.xMin >> 6, bottom = box.yMin >> 6;
    const int64_t right = (box.xMax + 63) >> 6, top = (box.yMax + 63) >> 6;
    // Kept or not by what the glyph would cost the cache (GlyphBytes).
    const int64_t bytes = (right - left + 3 + 4) * (top - bottom) + int64_t{sizeof(Glyph)} + 32;
    large = bytes > std::min(static_cast<int64_t>(cache().GlyphLimit()), kCutGlyphBytes);
    if (large) {
      glyph->left = static_cast<int>(left);
      glyph->top = static_cast<int>(top);
      glyph->width = static_cast<int>(right - left);
      glyph->height = static_cast<int>(top - bottom);
      glyph->stride = glyph->width + 3;
      glyph->oversized = true;
    }
    if (large && window != nullptr && bytes > kCutGlyphBytes) {
      // Only the window's pixels: the outline moved by whole pixels so that the window's
      // bottom left is the origin, then rendered into a bitmap of the window's size. The
      // rasteriser clips to that bitmap; curves it cuts may be split otherwise than in the
      // whole glyph, which moves their edge pixels' coverage by a level or two.
      const int w = window->right - window->left, h = window->bottom - window->top;
      glyph->left += window->left;
      glyph->top -= window->top;
      glyph->width = w;
      glyph->height = h;
      glyph->stride = w + 3;
      glyph->coverage.assign(static_cast<size_t>(glyph->stride) * h, 0);
      FT_Outline_Translate(&slot->outline, -glyph->left * 64, -(glyph->top - h) * 64);
      FT_Bitmap target{};
      target.rows = static_cast<unsigned>(h);
      target.width = static_cast<unsigned>(w);
      target.pitch = glyph->stride;
      target.buffer = glyph->coverage.data();
      target.num_grays = 256;
      target.pixel_mode = FT_PIXEL_MODE_GRAY;
      if (FT_Outline_Get_Bitmap(library().ft, &slot->outline, &target) != 0)
        std::fill(glyph->coverage.begin(), glyph->coverage.end(), uint8_t{0});
      large = true;
    } else if (large && window != nullptr) {
      large = false;  // rendered whole below, as a kept glyph is
    }
  }
  if (!large && loaded && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
    const FT_Bitmap& bm = slot->bitmap;
    glyph->left = slot->bitmap_left;
    glyph->top = slot->bitmap_top;
    glyph->width = static_cast<int>(bm.width);
    glyph->height = static_cast<int>(bm.rows);
    glyph->stride = glyph->width + 3;
    glyph->coverage.assign(static_cast<size_t>(glyph->stride) * glyph->height, 0);
    for (int y = 0; y < glyph->height; ++y) {
      const uint8_t* src = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
      if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
        std::memcpy(&glyph->coverage[static_cast<size_t>(y) * glyph->stride], src,
                    static_cast<size_t>(glyph->width));
      } else if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
        for (int x = 0; x < glyph->width; ++x)
          glyph->coverage[static_cast<size_t>(y) * glyph->stride + x] =
              (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      }
    }
    // FreeType keeps the last bitmap it rendered until the next load; a large one is let
    // go now, so that it is not held beside the cache.
    if (static_cast<size_t>(glyph->stride) * glyph->height > 65536)
      FT_Load_Glyph(face, 0, FT_LOAD_NO_SCALE);
  }
  if (glyph->oversized && window == nullptr) {
    // Metrics only: no rows to bound.
    FT_Set_Transform(face, nullptr, nullptr);
    glyph->ink_begin.clear();
    glyph->ink_end.clear();
    return;
  }
  FT_Set_Transform(face, nullptr, nullptr);
  glyph->ink_begin.assign(static_cast<size_t>(glyph->height), 0);
  glyph->ink_end.assign(static_cast<size_t>(glyph->height), 0);
  for (int y = 0; y < glyph->height; ++y) {
    const uint8_t* row = &glyph->coverage[static_cast<size_t>(y) * glyph->stride];
    int first = 0, last = glyph->width;
    while (first < last && row[first] == 0) ++first;
    while (last > first && row[last - 1] == 0) --last;
    glyph->ink_begin[y] = static_cast<uint16_t>(first);
    glyph->ink_end[y] = static_cast<uint16_t>(last);
  }
}

const Glyph* RealizedFont::Entry(uint32_t codepoint) {
  if (!face_) return nullptr;
  if (codepoint < 128 && ascii_[codepoint]) return ascii_[codepoint];
  if (codepoint >= 128)
    if (auto it = glyphs_.find(codepoint); it != glyphs_.end()) return it->second.get();

  FontCache& c = cache();
  ReleaseTransientGlyph();  // the glyph handed out before is done with
  Glyph fresh;
  Render(codepoint, &fresh);
  // An oversized glyph comes back with its metrics only; the rest are kept whole.
  auto kept = std::make_unique<Glyph>(std::move(fresh));
  const size_t bytes = GlyphBytes(*kept);
  c.MakeRoom(bytes, this);
  const Glyph* result = kept.get();
  glyphs_.insert_or_assign(codepoint, std::move(kept));
  if (codepoint < 128) ascii_[codepoint] = result;
  glyph_bytes_ += bytes;
  c.glyph_bytes += bytes;
  return result;
}

const Glyph* RealizedFont::GlyphIn(uint32_t codepoint, const Window& window) {
  const Glyph* g = Entry(codepoint);
  if (!g || !g->oversized) return g;
  FontCache& c = cache();
  ReleaseTransientGlyph();  // the glyph handed out before is done with
  Glyph part;
  Render(codepoint, &part, &window);
  c.transient = std::move(part);
  c.transient_font = this;
  c.transient_codepoint = codepoint;
  return &c.transient;
}

const Glyph* RealizedFont::Kept(uint32_t codepoint) {
  return Entry(codepoint);
}

uint64_t GlyphGeneration() {
  return cache().glyph_generation;
}

int RealizedFont::Advance(uint32_t codepoint) {
  const Glyph* g = Entry(codepoint);
  return g ? g->advance : 0;
}

void ReleaseTransientGlyph() {
  FontCache& c = cache();
  if (c.transient_font) c.DropTransient();
}

uint64_t FontCacheEpoch() {
  return cache().epoch;
}

uint32_t NextCodepoint(const char* text, int length, int* i) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
  unsigned char c = s[(*i)++];
  if (c < 0x80) return c;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
  if (extra < 0 || c >= 0xF8) return 0xFFFD;
  uint32_t cp = c & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (*i >= length || (s[*i] & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (s[(*i)++] & 0x3F);
  }
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}

}  // namespace vg::gdi::detail

namespace vg::gdi {

void FlushFontCache() {
  detail::cache().Clear();  // fonts that remember a realised form look it up again
}

void SetFontCacheLimit(size_t bytes) {
  detail::cache().limit = bytes;
  detail::cache().MakeRoom(0, nullptr);
}

size_t FontCacheLimit() {
  return detail::cache().limit;
}

size_t FontCacheBytes() {
  return detail::cache().Bytes();
}

}  // namespace vg::gdi
