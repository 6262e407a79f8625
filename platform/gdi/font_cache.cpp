#include "platform/gdi/font_cache.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstring>
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

struct Library {
  FT_Library ft = nullptr;
  FcConfig* config = nullptr;
  Library() {
    if (FT_Init_FreeType(&ft) != 0) ft = nullptr;
    config = FcInitLoadConfigAndFonts();
    if (config)
      FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kFontAliases),
                                     FcTrue);
  }
  ~Library() {
    if (config) FcConfigDestroy(config);
    if (ft) FT_Done_FreeType(ft);
  }
};

Library& library();

// The face file and index fontconfig chooses for a family, weight and slant.
bool MatchFace(const char* family, int weight, bool italic, std::string* file, int* index) {
  Library& lib = library();
  if (!lib.config) return false;
  // Owned, so that running out of memory while the file name is copied releases both.
  using Pattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;
  Pattern pattern(FcPatternCreate(), FcPatternDestroy);
  if (!pattern) return false;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight <= 0 ? 400 : weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(lib.config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result;
  Pattern match(FcFontMatch(lib.config, pattern.get(), &result), FcPatternDestroy);
  bool ok = false;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match.get(), FC_FILE, 0, &path) == FcResultMatch && path) {
    *file = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, index) != FcResultMatch) *index = 0;
    ok = true;
  }
  return ok;
}

// What makes two logical fonts draw alike. Fixed-size fields, so looking a font up
// allocates nothing.
struct Key {
  char face[kLfFaceSize] = {};
  int32_t height = 0;
  int32_t escapement = 0;
  int32_t weight = 0;
  bool italic = false;
  bool operator==(const Key& o) const {
    return height == o.height && escapement == o.escapement && weight == o.weight &&
           italic == o.italic && std::strncmp(face, o.face, kLfFaceSize) == 0;
  }
};

struct KeyHash {
  size_t operator()(const Key& k) const {
    size_t h = 1469598103934665603ull;
    for (int i = 0; i < kLfFaceSize && k.face[i]; ++i)
      h = (h ^ static_cast<unsigned char>(k.face[i])) * 1099511628211ull;
    h ^= static_cast<size_t>(k.height) * 31 + static_cast<size_t>(k.escapement) * 131 +
         static_cast<size_t>(k.weight) * 7 + k.italic;
    return h;
  }
};

// FreeType and fontconfig with the fonts realised through them. One object, so that the
// fonts (and their faces) go before the library that made them.
struct FontSystem {
  uint64_t epoch = 1;
  Library library;
  std::unordered_map<Key, std::unique_ptr<RealizedFont>, KeyHash> fonts;
};

FontSystem& system() {
  static FontSystem fs;
  return fs;
}

Library& library() {
  return system().library;
}
std::unordered_map<Key, std::unique_ptr<RealizedFont>, KeyHash>& cache() {
  return system().fonts;
}

// A realised font is kept for the life of the process; a program that makes fonts of ever
// new sizes or angles is bounded here.
constexpr size_t kMaxCachedFonts = 512;

}  // namespace

RealizedFont::~RealizedFont() {
  if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
}

RealizedFont* Realize(const LOGFONTA& record) {
  Key key;
  std::memcpy(key.face, record.lfFaceName, kLfFaceSize - 1);  // key.face stays NUL-ended
  key.height = record.lfHeight;
  key.escapement = record.lfEscapement % 3600;
  key.weight = record.lfWeight;
  key.italic = record.lfItalic != 0;
  auto& fonts = cache();
  if (auto it = fonts.find(key); it != fonts.end()) return it->second.get();
  if (fonts.size() >= kMaxCachedFonts) {
    fonts.clear();
    ++system().epoch;
  }

  std::unique_ptr<RealizedFont> font(new RealizedFont());
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
  fonts.emplace(key, std::move(font));
  return raw;
}

const Glyph* RealizedFont::GlyphFor(uint32_t codepoint) {
  if (!face_) return nullptr;
  if (codepoint < 128 && ascii_[codepoint]) return ascii_[codepoint];
  if (codepoint >= 128)
    if (auto it = glyphs_.find(codepoint); it != glyphs_.end()) return it->second.get();

  FT_Face face = static_cast<FT_Face>(face_);
  auto glyph = std::make_unique<Glyph>();
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
  if (FT_Load_Glyph(face, index, angle_ != 0.0 ? FT_LOAD_NO_HINTING : FT_LOAD_DEFAULT) == 0 &&
      FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0) {
    const FT_Bitmap& bm = face->glyph->bitmap;
    glyph->left = face->glyph->bitmap_left;
    glyph->top = face->glyph->bitmap_top;
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
  const Glyph* result = glyph.get();
  if (codepoint < 128) {
    ascii_store_.push_back(std::move(glyph));
    ascii_[codepoint] = result;
  } else {
    glyphs_.emplace(codepoint, std::move(glyph));
  }
  return result;
}

uint64_t FontCacheEpoch() {
  return system().epoch;
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
  detail::cache().clear();
  ++detail::system().epoch;  // fonts that remember a realised form look it up again
}

}  // namespace vg::gdi
