// Measuring and drawing text in the selected font.
#include <algorithm>
#include <cmath>

#include "platform/gdi/font_cache.h"
#include "platform/gdi/object_table.h"

namespace vg::gdi {
using namespace detail;

namespace {

RealizedFont* SelectedFont(const Dc& dc) {
  const Font* font = Get<Font>(dc.font);
  return font ? Realize(font->record) : nullptr;
}

int Advances(RealizedFont& font, const char* text, int length) {
  int width = 0;
  for (int i = 0; i < length;)
    if (const Glyph* g = font.GlyphFor(NextCodepoint(text, length, &i))) width += g->advance;
  return width;
}

struct Clip {
  int left, top, right, bottom;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

inline void Blend(COLORREF& dst, COLORREF color, unsigned a) {
  if (a == 0) return;
  if (a == 255) {
    dst = color;
    return;
  }
  unsigned inv = 255 - a;
  unsigned r = (GetRValue(color) * a + GetRValue(dst) * inv + 127) / 255;
  unsigned g = (GetGValue(color) * a + GetGValue(dst) * inv + 127) / 255;
  unsigned b = (GetBValue(color) * a + GetBValue(dst) * inv + 127) / 255;
  dst = r | (g << 8) | (b << 16);
}

void DrawGlyph(Bitmap& bm, const Clip& clip, const Glyph& g, int gx, int gy, COLORREF color) {
  int x0 = std::max(gx, clip.left), x1 = std::min(gx + g.width, clip.right);
  int y0 = std::max(gy, clip.top), y1 = std::min(gy + g.height, clip.bottom);
  for (int y = y0; y < y1; ++y) {
    const uint8_t* src = g.coverage.data() + static_cast<size_t>(y - gy) * g.width;
    COLORREF* row = bm.pixels.data() + static_cast<size_t>(y) * bm.width;
    for (int x = x0; x < x1; ++x) Blend(row[x], color, src[x - gx]);
  }
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
  size->cx = Advances(*font, text, length);
  size->cy = font->ascent() + font->descent();
  return true;
}

bool ExtTextOutA(HDC hdc, int x, int y, uint32_t options, const RECT* rect, const char* text,
                 int length, const int* /*dx*/) {
  Dc* dc = Get<Dc>(hdc);
  Bitmap* bm = dc ? Get<Bitmap>(dc->bitmap) : nullptr;
  if (!bm || (!text && length > 0) || length < 0) return false;
  Clip clip{0, 0, bm->width, bm->height};
  if ((options & ETO_CLIPPED) && rect) {
    clip.left = std::max(clip.left, rect->left);
    clip.top = std::max(clip.top, rect->top);
    clip.right = std::min(clip.right, rect->right);
    clip.bottom = std::min(clip.bottom, rect->bottom);
  }
  if (clip.left >= clip.right || clip.top >= clip.bottom) return true;
  RealizedFont* font = SelectedFont(*dc);
  if (!font || !font->ok()) return true;
  const Font* logical = Get<Font>(dc->font);
  const double cosa = std::cos(font->angle()), sina = std::sin(font->angle());
  const COLORREF color = dc->text_color;

  if (dc->bk_mode == OPAQUE && font->angle() == 0.0) {
    int cx = Advances(*font, text, length), cy = font->ascent() + font->descent();
    for (int yy = std::max(y, clip.top); yy < std::min(y + cy, clip.bottom); ++yy)
      for (int xx = std::max(x, clip.left); xx < std::min(x + cx, clip.right); ++xx)
        bm->pixels[static_cast<size_t>(yy) * bm->width + xx] = dc->bk_color;
  }

  // The baseline starts one ascent below (x, y), measured across the text's direction.
  const double bx = x + font->ascent() * sina, by = y + font->ascent() * cosa;
  int pen = 0;
  for (int i = 0; i < length;) {
    const Glyph* g = font->GlyphFor(NextCodepoint(text, length, &i));
    if (!g) continue;
    int px = static_cast<int>(std::lround(bx + pen * cosa));
    int py = static_cast<int>(std::lround(by - pen * sina));
    if (g->width > 0) DrawGlyph(*bm, clip, *g, px + g->left, py - g->top, color);
    pen += g->advance;
  }
  if (logical && logical->record.lfUnderline)
    DrawTextLine(*bm, clip, bx, by, cosa, sina, pen, font->underline_offset(),
                 font->line_thickness(), color);
  if (logical && logical->record.lfStrikeOut)
    DrawTextLine(*bm, clip, bx, by, cosa, sina, pen, font->strike_offset(), font->line_thickness(),
                 color);
  return true;
}

}  // namespace vg::gdi
