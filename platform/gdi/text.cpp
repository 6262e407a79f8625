// Measuring and drawing text in the selected font.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/base/numeric.h"
#include "platform/gdi/font_cache.h"
#include "platform/gdi/object_table.h"

namespace vg::gdi {
using namespace detail;

namespace {

RealizedFont* SelectedFont(const Dc& dc) {
  Font* font = Get<Font>(dc.font);
  if (!font) return nullptr;
  if (!font->realized || font->epoch != FontCacheEpoch()) {
    font->realized = Realize(font->record);
    font->epoch = FontCacheEpoch();
  } else {
    TouchFont(font->realized);
  }
  return font->realized;
}

int Advances(RealizedFont& font, const char* text, int length) {
  int width = 0;
  for (int i = 0; i < length;) width += font.Advance(NextCodepoint(text, length, &i));
  return width;
}

// Lets go of a glyph too large to keep when a text call ends, however it ends.
struct TransientGlyphRelease {
  TransientGlyphRelease() = default;
  TransientGlyphRelease(const TransientGlyphRelease&) = delete;
  TransientGlyphRelease& operator=(const TransientGlyphRelease&) = delete;
  ~TransientGlyphRelease() { ReleaseTransientGlyph(); }
};

struct Clip {
  int left, top, right, bottom;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// dst = dst + (color - dst) x a / 255 in each channel, rounded to nearest. Red and blue
// are worked on together in one word, green in another; (x + 128 + ((x + 128) >> 8)) >> 8
// is x / 255 rounded, exact for every x up to 255 x 255.
inline void Blend(COLORREF& dst, COLORREF color, uint32_t a) {
  if (a == 0) return;
  if (a == 255) {
    dst = color;
    return;
  }
  const uint32_t ia = 255 - a;
  uint32_t rb = (color & 0xFF00FF) * a + (dst & 0xFF00FF) * ia + 0x800080;
  uint32_t g = (color & 0x00FF00) * a + (dst & 0x00FF00) * ia + 0x008000;
  rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  g = ((g + ((g >> 8) & 0x00FF00)) >> 8) & 0x00FF00;
  dst = rb | g | (dst & 0xFF000000u);  // the alpha byte of a window in the screen's layout
}

// Blends a run of n pixels with their coverage values. Four pixels at a time where the
// processor allows: the same arithmetic in 16-bit lanes (every intermediate stays below
// 65536), so the result is identical to Blend's.
[[gnu::always_inline]] inline void BlendRun(COLORREF* dst, const uint8_t* coverage, int n,
                                            COLORREF color) {
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128();
  const __m128i c16 = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color)), zero);
  const __m128i all = _mm_set1_epi16(255), round = _mm_set1_epi16(128);
  const __m128i by257 = _mm_set1_epi16(257);
  const __m128i solid = _mm_set1_epi32(static_cast<int>(color));
  for (; n >= 4; n -= 4, dst += 4, coverage += 4) {
    uint32_t quad;
    std::memcpy(&quad, coverage, 4);
    if (quad == 0) continue;
    if (quad == 0xFFFFFFFFu) {  // fully covered: the colour itself
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), solid);
      continue;
    }
    // Each pixel's coverage in the four lanes of its channels.
    __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(quad)), zero);
    a = _mm_unpacklo_epi16(a, a);            // a0 a0 a1 a1 a2 a2 a3 a3
    __m128i a01 = _mm_unpacklo_epi32(a, a);  // a0 x4, a1 x4
    __m128i a23 = _mm_unpackhi_epi32(a, a);  // a2 x4, a3 x4
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
    auto mix = [&](__m128i d16, __m128i a16) {
      __m128i x = _mm_add_epi16(
          _mm_add_epi16(_mm_mullo_epi16(c16, a16), _mm_mullo_epi16(d16, _mm_sub_epi16(all, a16))),
          round);
      // (x + (x >> 8)) >> 8 is x x 257 >> 16 for every 16-bit x: one multiply, high half.
      return _mm_mulhi_epu16(x, by257);
    };
    __m128i lo = mix(_mm_unpacklo_epi8(d, zero), a01);
    __m128i hi = mix(_mm_unpackhi_epi8(d, zero), a23);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_packus_epi16(lo, hi));
  }
#endif
  for (int i = 0; i < n; ++i) Blend(dst[i], color, coverage[i]);
}

[[gnu::always_inline]] inline void DrawGlyph(Bitmap& bm, const Clip& clip, const Glyph& g, int gx,
                                             int gy, COLORREF color) {
  const int y0 = std::max(gy, clip.top), y1 = std::min(gy + g.height, clip.bottom);
  if (gx >= clip.left && gx + g.stride <= clip.right) {
    // The glyph's whole storage lies inside the clip, as it does for most glyphs: each row's
    // ink goes in whole groups of four without clipping. The pointers are taken once, as
    // the stores into the pixels could otherwise alias them for the compiler.
    // (Offsets in ptrdiff_t: with no row to draw, y0 - gy may not fit an int.)
    const ptrdiff_t width = bm.width, stride = g.stride, first = ptrdiff_t{y0} - gy;
    COLORREF* row = bm.pixels.data() + static_cast<ptrdiff_t>(y0) * width + gx;
    const uint8_t* cover = g.coverage.data() + first * stride;
    const uint16_t* begins = g.ink_begin.data() + first;
    const uint16_t* ends = g.ink_end.data() + first;
    for (ptrdiff_t k = 0, rows = ptrdiff_t{y1} - y0; k < rows; ++k, row += width, cover += stride) {
      const int begin = begins[k], n = ends[k] - begin;
      if (n > 0) BlendRun(row + begin, cover + begin, (n + 3) & ~3, color);
    }
    return;
  }
  for (int y = y0; y < y1; ++y) {
    const int r = y - gy;
    const int x0 = std::max(gx + g.ink_begin[r], clip.left);
    const int x1 = std::min(gx + g.ink_end[r], clip.right);
    const uint8_t* src = g.coverage.data() + static_cast<size_t>(r) * g.stride - gx;
    COLORREF* row = bm.pixels.data() + static_cast<size_t>(y) * bm.width;
    int n = x1 - x0;
    if (n <= 0) continue;
    // Past the row's ink the coverage is zero, which leaves pixels as they are: a run that
    // ends at the ink (not at the clip) may round up to whole groups of four, as long as
    // it stays inside the bitmap and the glyph's storage.
    const int whole = (n + 3) & ~3;
    if (x1 == gx + g.ink_end[r] && x0 + whole <= bm.width && x0 - gx + whole <= g.stride) n = whole;
    BlendRun(row + x0, src + x0, n, color);
  }
}

// Draws the part of an oversized glyph (kept as metrics only) that meets the clip, rendered
// now; kept out of line, as such glyphs are rare.
[[gnu::noinline, gnu::cold]] void DrawOversizedGlyph(Bitmap& bm, const Clip& clip,
                                                     RealizedFont& font, const Glyph& kept,
                                                     uint32_t codepoint, int px, int py,
                                                     COLORREF color) {
  const int gx = px + kept.left, gy = py - kept.top;
  const RealizedFont::Window window{std::max(clip.left - gx, 0), std::max(clip.top - gy, 0),
                                    std::min(clip.right - gx, kept.width),
                                    std::min(clip.bottom - gy, kept.height)};
  if (window.left >= window.right || window.top >= window.bottom) return;
  const Glyph* g = font.GlyphIn(codepoint, window);
  if (g != nullptr && g->width > 0) DrawGlyph(bm, clip, *g, px + g->left, py - g->top, color);
}

// A line of `length` pixels along the text direction from the baseline point (bx, by),
// `offset` pixels below the baseline and `thickness` thick.
void DrawTextLine(Bitmap& bm, const Clip& clip, double bx, double by, double cosa, double sina,
                  int length, int offset, int thickness, COLORREF color) {
  // Corners of the line's box, to bound the pixels to test.
  double dxs[2] = {0.0, static_cast<double>(length)};
  double dys[2] = {static_cast<double>(offset), static_cast<double>(offset + thickness)};
  double minx = 1e18, maxx = -1e18, miny = 1e18, maxy = -1e18;
  for (double along : dxs)
    for (double across : dys) {
      double px = bx + along * cosa + across * sina;
      double py = by - along * sina + across * cosa;
      minx = std::min(minx, px), maxx = std::max(maxx, px);
      miny = std::min(miny, py), maxy = std::max(maxy, py);
    }
  int x0 = std::max(clip.left, static_cast<int>(std::floor(minx)));
  int x1 = std::min(clip.right, static_cast<int>(std::ceil(maxx)) + 1);
  int y0 = std::max(clip.top, static_cast<int>(std::floor(miny)));
  int y1 = std::min(clip.bottom, static_cast<int>(std::ceil(maxy)) + 1);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      double rx = x + 0.5 - bx, ry = y + 0.5 - by;
      double along = rx * cosa - ry * sina;
      double across = rx * sina + ry * cosa;
      if (along >= 0 && along < length && across >= offset && across < offset + thickness)
        bm.pixels[static_cast<size_t>(y) * bm.width + x] = color;
    }
}

}  // namespace

bool GetTextExtentPoint32A(HDC hdc, const char* text, int length, SIZE* size) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !size || (!text && length > 0) || length < 0) return false;
  RealizedFont* font = SelectedFont(*dc);
  if (!font || !font->ok()) {
    *size = {};
    return true;
  }
  const TransientGlyphRelease release;
  size->cx = Advances(*font, text, length);
  size->cy = font->ascent() + font->descent();
  return true;
}

namespace {

// Where text may draw: the bitmap, cut to `rect` with ETO_CLIPPED.
Clip ClipOf(const Bitmap& bm, uint32_t options, const RECT* rect) {
  Clip clip{0, 0, bm.width, bm.height};
  if ((options & ETO_CLIPPED) && rect) {
    clip.left = std::max(clip.left, rect->left);
    clip.top = std::max(clip.top, rect->top);
    clip.right = std::min(clip.right, rect->right);
    clip.bottom = std::min(clip.bottom, rect->bottom);
  }
  return clip;
}

// Draws a line of text whose kept glyphs `glyph_at(k, &more)` gives, character by character
// (k from 0; more = false ends the line), with ExtTextOutA's rules; `width` is the line's
// measured width and `codepoint_at(k)` the character of glyph k. An oversized glyph is rendered
// here, only where it meets the clip.
template <class GlyphAt, class CodepointAt>
bool DrawLine(HDC hdc, int x, int y, uint32_t options, const RECT* rect, RealizedFont* font,
              int width, GlyphAt glyph_at, CodepointAt codepoint_at) {
  Dc* dc = Get<Dc>(hdc);
  Bitmap* bm = dc ? Get<Bitmap>(dc->bitmap) : nullptr;
  if (!bm) return false;
  const Clip clip = ClipOf(*bm, options, rect);
  if (clip.left >= clip.right || clip.top >= clip.bottom) return true;
  if (!font || !font->ok()) return true;
  const Font* logical = Get<Font>(dc->font);
  const double cosa = std::cos(font->angle()), sina = std::sin(font->angle());
  const COLORREF color = Stored(*bm, dc->text_color);

  if (dc->bk_mode == OPAQUE && font->angle() == 0.0) {
    int cx = width, cy = font->ascent() + font->descent();
    for (int yy = std::max(y, clip.top); yy < std::min(y + cy, clip.bottom); ++yy)
      for (int xx = std::max(x, clip.left); xx < std::min(x + cx, clip.right); ++xx)
        bm->pixels[static_cast<size_t>(yy) * bm->width + xx] = Stored(*bm, dc->bk_color);
  }

  // The baseline starts one ascent below (x, y), measured across the text's direction.
  const double bx = x + font->ascent() * sina, by = y + font->ascent() * cosa;
  // Unturned text on a baseline within a billion pixels takes whole-pixel steps.
  constexpr int64_t kFarOut = int64_t{1} << 30;
  const bool upright = font->angle() == 0.0 && y >= -kFarOut && y <= kFarOut;
  const int baseline = y + font->ascent();
  int pen = 0;
  for (int k = 0;; ++k) {
    bool more = true;
    const Glyph* g = glyph_at(k, &more);
    if (!more) break;
    if (!g) continue;
    // Unturned, the pen's place is whole already: x + pen on the baseline y + ascent.
    const int64_t along = int64_t{x} + pen;
    const int px = upright ? static_cast<int>(along) : RoundToInt32(bx + pen * cosa);
    const int py = upright ? baseline : RoundToInt32(by - pen * sina);
    pen += g->advance;
    // A glyph a billion pixels out lies off every bitmap (and its offsets would overflow).
    if (upright && (along < -kFarOut || along > kFarOut)) continue;
    if (g->width <= 0) continue;
    if (g->oversized)
      DrawOversizedGlyph(*bm, clip, *font, *g, codepoint_at(k), px, py, color);
    else
      DrawGlyph(*bm, clip, *g, px + g->left, py - g->top, color);
  }
  if (logical && logical->record.lfUnderline)
    DrawTextLine(*bm, clip, bx, by, cosa, sina, pen, font->underline_offset(),
                 font->line_thickness(), color);
  if (logical && logical->record.lfStrikeOut)
    DrawTextLine(*bm, clip, bx, by, cosa, sina, pen, font->strike_offset(), font->line_thickness(),
                 color);
  return true;
}

}  // namespace

bool ExtTextOutA(HDC hdc, int x, int y, uint32_t options, const RECT* rect, const char* text,
                 int length, const int* /*dx*/) {
  Dc* dc = Get<Dc>(hdc);
  Bitmap* bm = dc ? Get<Bitmap>(dc->bitmap) : nullptr;
  if (!bm || (!text && length > 0) || length < 0) return false;
  const Clip clip = ClipOf(*bm, options, rect);
  if (clip.left >= clip.right || clip.top >= clip.bottom) return true;  // no font realised
  RealizedFont* font = SelectedFont(*dc);
  const TransientGlyphRelease release;
  const bool opaque_cell = dc->bk_mode == OPAQUE && font && font->ok() && font->angle() == 0.0;
  const int width = opaque_cell ? Advances(*font, text, length) : 0;
  int i = 0;
  uint32_t current = 0;
  return DrawLine(
      hdc, x, y, options, rect, font, width,
      [&](int, bool* more) -> const Glyph* {
        if (i >= length) return *more = false, nullptr;
        current = NextCodepoint(text, length, &i);
        return font->Kept(current);
      },
      [&](int) { return current; });
}

bool LayoutTextA(HDC hdc, const char* text, int length, TextLayout* layout) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc || !layout || (!text && length > 0) || length < 0) return false;
  layout->text = text;
  layout->length = length;
  layout->count = -1;
  layout->size = {};
  RealizedFont* font = SelectedFont(*dc);
  layout->font = font;
  if (!font || !font->ok()) return true;
  const TransientGlyphRelease release;
  layout->size.cy = font->ascent() + font->descent();
  const uint64_t generation = GlyphGeneration();
  int count = 0, width = 0;
  for (int i = 0; i < length; ++count) {
    const uint32_t cp = NextCodepoint(text, length, &i);
    const Glyph* g = font->Kept(cp);
    if (g) width += g->advance;
    if (count < kMaxLaidOutChars) layout->glyphs[count] = g, layout->codepoints[count] = cp;
  }
  layout->size.cx = width;
  // Kept only when every character fits and no glyph went while later ones were made.
  if (count <= kMaxLaidOutChars && GlyphGeneration() == generation) {
    layout->count = count;
    layout->generation = generation;
  }
  return true;
}

bool ExtTextOutLayout(HDC hdc, int x, int y, uint32_t options, const RECT* rect,
                      const TextLayout& layout) {
  Dc* dc = Get<Dc>(hdc);
  if (!dc) return false;
  RealizedFont* font = SelectedFont(*dc);
  if (layout.count < 0 || font != layout.font || layout.generation != GlyphGeneration())
    return ExtTextOutA(hdc, x, y, options, rect, layout.text, layout.length, nullptr);
  const TransientGlyphRelease release;
  return DrawLine(
      hdc, x, y, options, rect, font, layout.size.cx,
      [&](int k, bool* more) -> const Glyph* {
        if (k >= layout.count) return *more = false, nullptr;
        return static_cast<const Glyph*>(layout.glyphs[k]);
      },
      [&](int k) { return layout.codepoints[k]; });
}

}  // namespace vg::gdi
